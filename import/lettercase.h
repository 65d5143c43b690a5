#pragma once
// Lower-casing of display texts: ASCII and Windows-1251 letters, UTF-8 aware.
//
// A text that is valid UTF-8 has only its ASCII letters lowered, so multi-byte
// characters stay intact ("Größe" -> "größe"); any other text is taken as
// Windows-1251 and its Cyrillic capitals are lowered as well.

#include <string>
#include <string_view>

namespace lettercase {

// "CPU Load" -> "cpu load"; the result always has the length of text.
std::string Lower(std::string_view text);

// 0-based position of needle in haystack at or after start, letter case ignored; npos if none.
std::size_t FindIgnoreCase(std::string_view haystack, std::string_view needle, std::size_t start = 0);

// Less-than of the lower-cased forms: the order of the sorted abbreviation list.
bool LessIgnoreCase(std::string_view a, std::string_view b);

}  // namespace lettercase
