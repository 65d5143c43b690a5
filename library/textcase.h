#pragma once
// Case-insensitive comparison of 8-bit texts: ASCII letters plus the letters of
// the Windows-1251 code page, the system code page the libraries are written in.

#include <string>
#include <string_view>

namespace textcase {

// The lower-case form of one Windows-1251 byte; other bytes map to themselves.
char FoldCase(char c);

// True when a and b are equal once both are case-folded ("Entry" == "ENTRY").
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// The text with ASCII a..z made upper case; every other byte unchanged ("If-Mib" -> "IF-MIB").
std::string UpperAscii(std::string text);

// ASCII-only variant: the enumerator names and "yes" of the entry format.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

}  // namespace textcase
