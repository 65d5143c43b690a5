#pragma once
// ASCII-only letter case: the MIB parser's rules, module names and the library file's enumerator
// names (bytes from 128 up never change).

#include <string>
#include <string_view>

namespace asciicase {

inline char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "If-Mib" -> "IF-MIB"
inline std::string Upper(std::string s) {
    for (char& c : s) c = Upper(c);
    return s;
}

inline std::string Lower(std::string s) {
    for (char& c : s) c = Lower(c);
    return s;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

}  // namespace asciicase
