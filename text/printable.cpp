#include "text/printable.h"

#include "text/utf8.h"

namespace {

bool IsControl(char32_t letter) {
    return letter < 0x20 || (letter >= 0x7F && letter <= 0x9F);
}

void AppendEscaped(std::string& out, std::string_view bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += "\\x";
        out += digits[byte >> 4];
        out += digits[byte & 0xF];
    }
}

}  // namespace

std::string EscapeForTerminal(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t letter = 0;
        const std::size_t length = DecodeUtf8(text, i, letter);
        if (length == 0 || IsControl(letter))
            AppendEscaped(out, text.substr(i, length == 0 ? 1 : length));
        else
            out.append(text.substr(i, length));
        i += length == 0 ? 1 : length;
    }
    return out;
}
