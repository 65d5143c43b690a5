#pragma once
// ASCII-only letter case: the MIB parser's rules and the library file's enumerator names
// (bytes from 128 up never change).

#include <string>
#include <string_view>

namespace asciicase {

inline char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string upper(std::string s) {
    for (char& c : s) c = upper(c);
    return s;
}

inline std::string lower(std::string s) {
    for (char& c : s) c = lower(c);
    return s;
}

inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

}  // namespace asciicase
