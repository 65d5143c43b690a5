#include "import/lettercase.h"

#include "library/textcase.h"
#include "text/utf8.h"

namespace lettercase {

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
