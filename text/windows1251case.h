#pragma once
// Letter case of 8-bit display texts: ASCII plus the letters of the Windows-1251 code page, the
// system code page the libraries are written in. Find, replace and display names use it.

#include <string>
#include <string_view>

namespace windows1251case {

// The lower-case form of one Windows-1251 byte; other bytes map to themselves.
char FoldCase(char c);

// True when a and b are equal once both are case-folded ("Entry" == "ENTRY").
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Lower-cases a display text; the result always has the length of text. A text that is valid
// UTF-8 has only its ASCII letters lowered, so multi-byte characters stay intact
// ("Größe" -> "größe"); any other text is taken as Windows-1251 and its Cyrillic capitals are
// lowered as well ("CPU Load" -> "cpu load").
std::string Lower(std::string_view text);

// 0-based position of needle in haystack at or after start, letter case ignored; npos if none.
std::size_t FindIgnoringCase(std::string_view haystack, std::string_view needle, std::size_t start = 0);

// Less-than of the lower-cased forms: the order of the sorted abbreviation list.
bool LessIgnoringCase(std::string_view a, std::string_view b);

}  // namespace windows1251case
