#include "import/lettercase.h"

#include "library/textcase.h"

namespace lettercase {

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int follow = 0;
        unsigned minimum = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            follow = 1, minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            follow = 2, minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            follow = 3, minimum = 0x10000;
        } else {
            return false;
        }
        if (i + follow >= text.size()) return false;  // truncated sequence
        unsigned code = lead & (0x3F >> follow);
        for (int k = 1; k <= follow; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += follow + 1;
    }
    return true;
}

std::string Lower(std::string_view text) {
    std::string result(text);
    const bool utf8 = IsValidUtf8(text);
    for (char& c : result) {
        if (static_cast<unsigned char>(c) < 0x80 || !utf8) c = textcase::FoldCase(c);
    }
    return result;
}

std::size_t FindIgnoreCase(std::string_view haystack, std::string_view needle, std::size_t start) {
    if (start > haystack.size()) return std::string::npos;
    return Lower(haystack).find(Lower(needle), start);
}

bool LessIgnoreCase(std::string_view a, std::string_view b) {
    return Lower(a) < Lower(b);
}

}  // namespace lettercase
