#include "text/windows1251case.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/utf8.h"

namespace windows1251case {
namespace {

// Upper-case letter -> lower-case letter of Windows-1251, built once.
std::array<unsigned char, 256> MakeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDF; ++c) table[c] = static_cast<unsigned char>(c + 32);  // А..Я
    // Cyrillic letters outside the contiguous block.
    const std::uint8_t pairs[][2] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
                                     {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
                                     {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
    for (const auto& pair : pairs) table[pair[0]] = pair[1];
    return table;
}

const std::array<unsigned char, 256> foldTable = MakeFoldTable();

}  // namespace

char FoldCase(char c) {
    return static_cast<char>(foldTable[static_cast<unsigned char>(c)]);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

std::string Lower(std::string_view text) {
    std::string result(text);
    const bool utf8 = IsValidUtf8(text);
    for (char& c : result) {
        if (static_cast<unsigned char>(c) < 0x80 || !utf8) c = FoldCase(c);
    }
    return result;
}

std::size_t FindIgnoringCase(std::string_view haystack, std::string_view needle, std::size_t start) {
    if (start > haystack.size()) return std::string::npos;
    const bool asciiNeedle = std::all_of(needle.begin(), needle.end(),
                                         [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!asciiNeedle) return Lower(haystack).find(Lower(needle), start);
    // No byte above 0x7F folds to an ASCII letter, so an ASCII needle matches alike in either
    // reading of the haystack, and a search from start need not copy or read it all each time.
    if (needle.empty()) return start;
    const char lower = FoldCase(needle[0]);
    const char upper = lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - 32) : lower;
    const std::string_view rest = needle.substr(1);
    // memchr finds the next first letter in each case; the earlier of the two is tried.
    std::size_t lowerAt = haystack.find(lower, start), upperAt = haystack.find(upper, start);
    for (;;) {
        const std::size_t at = std::min(lowerAt, upperAt);
        if (at == std::string_view::npos || at + needle.size() > haystack.size()) return std::string::npos;
        if (EqualsIgnoringCase(haystack.substr(at + 1, rest.size()), rest)) return at;
        if (at == lowerAt) lowerAt = haystack.find(lower, at + 1);
        if (at == upperAt) upperAt = haystack.find(upper, at + 1);
    }
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    return Lower(a) < Lower(b);
}

}  // namespace windows1251case
