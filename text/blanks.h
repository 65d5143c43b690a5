#pragma once
// Blanks in the three senses the core's texts give the word, and trimming by one of them: the
// .oidlib file and MIB headers count every control character, the words of a description are
// split at spaces and line breaks only, and an edit field's text is trimmed of spaces and tabs.

#include <string_view>

// Codes 0 to 32, the space and every control character: the blanks of the .oidlib reader and
// writer and of the module headers scan.
constexpr bool IsSpaceOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// The space, the tab, CR and LF: what separates the words of a description.
constexpr bool IsSpaceTabOrLineBreak(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The space and the tab: what may surround a text typed into one line.
constexpr bool IsSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

// text without the blanks, as isBlank counts them, at either end:
// Trim(" \tifIndex \r\n", IsSpaceOrControl) -> "ifIndex".
constexpr std::string_view Trim(std::string_view text, bool (*isBlank)(char)) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}
