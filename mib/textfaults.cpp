#include "mib/textfaults.h"

#include <algorithm>
#include <array>

#include "mib/reservedwords.h"

namespace textfaults {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsLetter(char c) {
    return IsUpper(c) || IsLower(c);
}
bool IsNamePart(char c) {
    return IsLetter(c) || IsDigit(c) || c == '-' || c == '_';
}

std::string_view TrimmedRight(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}
std::string_view TrimmedLeft(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    return text;
}

// The index of the line break that ends the line of index (or the end of text).
std::size_t LineEnd(std::string_view text, std::size_t index) {
    while (index < text.size() && !IsLineBreak(text[index])) ++index;
    return index;
}
// The index just past the line break at index (CR LF, LF or CR).
std::size_t PastLineBreak(std::string_view text, std::size_t index) {
    if (index < text.size() && text[index] == '\r') ++index;
    if (index < text.size() && text[index] == '\n') ++index;
    return index;
}

// Text that MIB syntax needs, which a page's furniture or a line of prose never holds.
bool HasMibSyntax(std::string_view line) {
    return line.find_first_of("\"{};") != std::string_view::npos ||
           line.find("::=") != std::string_view::npos || line.find("--") != std::string_view::npos;
}

// Takes a run of characters of a class from the end of text; returns how many.
template <typename Class>
std::size_t TakeBack(std::string_view& text, Class inClass) {
    std::size_t count = 0;
    while (!text.empty() && inClass(text.back())) {
        text.remove_suffix(1);
        ++count;
    }
    return count;
}

bool IsMonth(std::string_view word) {
    static constexpr std::array<std::string_view, 25> months = {
        "January", "February", "March",    "April", "May", "June", "July", "August", "September",
        "October", "November", "December", "Jan",   "Feb", "Mar",  "Apr",  "Jun",    "Jul",
        "Aug",     "Sep",      "Sept",     "Oct",   "Nov", "Dec",  "Dec."};
    return std::find(months.begin(), months.end(), word) != months.end();
}

// "... Title   October 2002" or "...   August 30, 2006": a date after a gap of two blanks or more,
// with text before the gap.
bool EndsWithDate(std::string_view line) {
    if (TakeBack(line, IsDigit) != 4) return false;
    TakeBack(line, IsBlank);
    if (!line.empty() && line.back() == ',') {
        line.remove_suffix(1);
        const std::size_t day = TakeBack(line, IsDigit);
        if (day < 1 || day > 2) return false;
        TakeBack(line, IsBlank);
    } else if (const std::size_t day = TakeBack(line, IsDigit); day > 2) {
        return false;
    } else if (day > 0) {
        TakeBack(line, IsBlank);
    }
    std::string_view month = line;
    TakeBack(line, [](char c) { return IsLetter(c) || c == '.'; });
    month.remove_prefix(line.size());
    return IsMonth(month) && TakeBack(line, IsBlank) >= 2 && !TrimmedLeft(line).empty();
}

// "[Page 12]", "[Page 5 ]" at the end.
bool EndsWithPageMark(std::string_view line) {
    if (line.empty() || line.back() != ']') return false;
    line.remove_suffix(1);
    TakeBack(line, IsBlank);
    if (TakeBack(line, IsDigit) == 0 || TakeBack(line, IsBlank) == 0) return false;
    return line.ends_with("[Page") || line.ends_with("[ Page");
}

// "Valentine   Expires August 2001   9": the draft's expiry and the page number at the end.
bool IsDraftFooter(std::string_view line) {
    if (line.find("Expires") == std::string_view::npos && line.find("expires") == std::string_view::npos)
        return false;
    return TakeBack(line, IsDigit) > 0 && TakeBack(line, IsBlank) > 0;
}

// A title carried on from a header: indented, words with capitals ("Information Base",
// "Management Information Base"), nothing else.
bool IsTitleLine(std::string_view line) {
    const std::size_t indent = line.find_first_not_of(" \t");
    if (indent == std::string_view::npos || indent < 8) return false;
    line = TrimmedRight(line.substr(indent));
    int words = 0;
    while (!line.empty()) {
        std::size_t length = line.find_first_of(" \t");
        if (length == std::string_view::npos) length = line.size();
        const std::string_view word = line.substr(0, length);
        const bool titleWord = IsUpper(word[0]) && word.size() > 1 && IsLower(word[1]) &&
                               std::all_of(word.begin(), word.end(), IsLetter);
        const bool bracketed = word.size() > 2 && word.front() == '(' && word.back() == ')';
        if (!titleWord && !bracketed) return false;
        words += titleWord;
        line = TrimmedLeft(line.substr(length));
    }
    return words >= 2;
}

// A word that MIB text uses: a reserved word, a macro or clause keyword (capitals and "-").
bool HasMibWord(std::string_view words) {
    while (!(words = TrimmedLeft(words)).empty()) {
        std::size_t length = 0;
        while (length < words.size() && !IsBlank(words[length])) ++length;
        const std::string_view word = words.substr(0, length);
        const bool keyword =
            word.size() > 1 &&
            std::all_of(word.begin(), word.end(), [](char c) { return IsUpper(c) || c == '-'; }) &&
            word.find('-') != std::string_view::npos;
        if (keyword || IsClauseKeyword(word) || LookupReserved(word) != rwNone) return true;
        words.remove_prefix(length);
    }
    return false;
}

bool IsCommentLine(std::string_view line) {
    return TrimmedLeft(line).starts_with("--");
}

// The line before the line that starts at lineStart; empty at the start of text.
std::string_view PreviousLine(std::string_view text, std::size_t lineStart) {
    if (lineStart == 0) return {};
    std::size_t end = lineStart;
    if (end > 0 && text[end - 1] == '\n') --end;
    if (end > 0 && text[end - 1] == '\r') --end;
    std::size_t start = end;
    while (start > 0 && !IsLineBreak(text[start - 1])) --start;
    return text.substr(start, end - start);
}

}  // namespace

bool AtLineStart(std::string_view text, std::size_t index) {
    while (index > 0 && IsBlank(text[index - 1])) --index;
    return index == 0 || IsLineBreak(text[index - 1]) || text[index - 1] == '\f';
}

Skip PageFurniture(std::string_view text, std::size_t index) {
    std::size_t end = index;
    while (end < text.size() && !IsLineBreak(text[end]) && text[end] != '\f') ++end;
    const std::string_view line = TrimmedRight(text.substr(index, end - index));
    if (line.empty() || HasMibSyntax(line)) return {};
    if (EndsWithPageMark(line) || IsDraftFooter(line)) return {end - index, "RFC page footer skipped"};
    if (!EndsWithDate(line)) return {};
    if (end < text.size() && text[end] != '\f') {
        const std::size_t next = PastLineBreak(text, end);
        const std::size_t nextEnd = LineEnd(text, next);
        if (IsTitleLine(text.substr(next, nextEnd - next))) end = nextEnd;
    }
    return {end - index, "RFC page header skipped"};
}

Skip SlashComment(std::string_view text, std::size_t index) {
    if (text.substr(index, 2) != "//") return {};
    return {LineEnd(text, index) - index, "\"//\" comment read as a \"--\" comment"};
}

Skip StrayProse(std::string_view text, std::size_t index) {
    const std::size_t end = LineEnd(text, index);
    const std::string_view words = text.substr(index, end - index);
    if (HasMibSyntax(words) || words.find_first_of("(),") != std::string_view::npos || HasMibWord(words))
        return {};
    std::size_t before = index;
    while (before > 0 && IsBlank(text[before - 1])) --before;
    if (before > 0 && text[before - 1] == '}')
        return {end - index, "words after the end of a definition skipped"};
    const std::size_t next = PastLineBreak(text, end);
    if (!AtLineStart(text, index) || next == end ||
        !IsCommentLine(text.substr(next, LineEnd(text, next) - next)) ||
        !IsCommentLine(PreviousLine(text, before)))
        return {};
    return {end - index, "line of a comment without its \"--\" skipped"};
}

std::size_t NameWithJoiners(std::string_view text, std::size_t index) {
    std::size_t end = index;
    bool joined = false;
    for (;;) {
        while (end < text.size() && IsNamePart(text[end])) ++end;
        if (end + 1 >= text.size() || std::string_view("/+&").find(text[end]) == std::string_view::npos ||
            !IsNamePart(text[end + 1]))
            break;
        joined = true;
        ++end;
    }
    return joined ? end - index : 0;
}

std::size_t ModuleHeaderStart(std::string_view text, std::size_t from) {
    for (std::size_t at = text.find("DEFINITIONS", from); at != std::string_view::npos;
         at = text.find("DEFINITIONS", at + 1)) {
        const std::size_t after = at + 11;
        if ((after < text.size() && IsNamePart(text[after])) || (at > 0 && IsNamePart(text[at - 1])))
            continue;  // part of a longer word
        std::size_t lineStart = at;
        while (lineStart > 0 && !IsLineBreak(text[lineStart - 1])) --lineStart;
        if (text.substr(lineStart, at - lineStart).find("--") != std::string_view::npos)
            continue;  // a comment
        std::size_t end = at;
        while (end > from && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
        if (end > from && text[end - 1] == '}') {  // the module's OID
            const std::size_t open = text.rfind('{', end - 1);
            if (open == std::string_view::npos || open < from) continue;
            end = open;
            while (end > from && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
        }
        std::size_t start = end;
        while (start > from && IsNamePart(text[start - 1])) --start;
        std::size_t nameLine = start;
        while (nameLine > 0 && !IsLineBreak(text[nameLine - 1])) --nameLine;
        const bool inComment = text.substr(nameLine, start - nameLine).find("--") != std::string_view::npos;
        if (start < end && IsLetter(text[start]) && !inComment) return start;
    }
    return std::string_view::npos;
}

std::size_t DottedNumber(std::string_view text, std::size_t index) {
    std::size_t end = index, groups = 0;
    for (;;) {
        while (end < text.size() && IsDigit(text[end])) ++end;
        if (end + 1 >= text.size() || text[end] != '.' || !IsDigit(text[end + 1])) break;
        ++end;
        ++groups;
    }
    return groups > 0 ? end - index : 0;
}

std::size_t SwallowedClauses(std::string_view content) {
    content = TrimmedRight(content);
    const std::size_t lastBreak = content.find_last_of('\n');
    if (lastBreak == std::string_view::npos) return std::string_view::npos;
    if (!TakesText(TrimmedLeft(TrimmedRight(content.substr(lastBreak + 1))))) return std::string_view::npos;
    // The last line begins with a keyword, so the walk ends there at the latest.
    for (std::size_t lineStart = content.find('\n') + 1; lineStart <= lastBreak + 1;
         lineStart = PastLineBreak(content, LineEnd(content, lineStart))) {
        const std::string_view line =
            TrimmedLeft(content.substr(lineStart, LineEnd(content, lineStart) - lineStart));
        std::size_t word = 0;
        while (word < line.size() && (IsUpper(line[word]) || line[word] == '-')) ++word;
        if (line.starts_with("::=") ||
            (IsClauseKeyword(line.substr(0, word)) &&
             (word == line.size() || static_cast<unsigned char>(line[word]) <= ' ')))
            return lineStart;
    }
    return std::string_view::npos;
}

bool IsClauseKeyword(std::string_view word) {
    static constexpr std::array<std::string_view, 24> keywords = {
        "SYNTAX",       "MAX-ACCESS",   "ACCESS",       "MIN-ACCESS",      "STATUS",   "DESCRIPTION",
        "REFERENCE",    "INDEX",        "AUGMENTS",     "DEFVAL",          "UNITS",    "DISPLAY-HINT",
        "LAST-UPDATED", "ORGANIZATION", "CONTACT-INFO", "REVISION",        "OBJECTS",  "NOTIFICATIONS",
        "ENTERPRISE",   "VARIABLES",    "WRITE-SYNTAX", "PRODUCT-RELEASE", "SUPPORTS", "CREATION-REQUIRES"};
    return std::find(keywords.begin(), keywords.end(), word) != keywords.end();
}

bool TakesText(std::string_view keyword) {
    static constexpr std::array<std::string_view, 9> keywords = {
        "DESCRIPTION",  "REFERENCE",    "UNITS",    "DISPLAY-HINT",   "LAST-UPDATED",
        "ORGANIZATION", "CONTACT-INFO", "REVISION", "PRODUCT-RELEASE"};
    return std::find(keywords.begin(), keywords.end(), keyword) != keywords.end();
}

}  // namespace textfaults
