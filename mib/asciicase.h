#pragma once
// ASCII-only letter case helpers of the MIB parser (bytes from 128 up never change).

#include <string>

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

inline bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

}  // namespace asciicase
