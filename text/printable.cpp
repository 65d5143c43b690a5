#include "text/printable.h"

#include "text/utf8.h"

namespace {

void AppendHex(std::string& out, unsigned char byte) {
    constexpr char Digits[] = "0123456789ABCDEF";
    out += "\\x";
    out += Digits[byte >> 4];
    out += Digits[byte & 15];
}

bool IsControl(char32_t letter) {
    return letter < 0x20 || (letter >= 0x7F && letter < 0xA0);
}

}  // namespace

std::string EscapeForTerminal(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t letter = 0;
        const std::size_t length = DecodeUtf8(text, i, letter);
        if (length == 0 || IsControl(letter)) {
            // A malformed sequence is escaped byte by byte; a control character whole (C1 has two bytes).
            const std::size_t escaped = length == 0 ? 1 : length;
            for (std::size_t k = 0; k < escaped; ++k) AppendHex(out, static_cast<unsigned char>(text[i + k]));
            i += escaped;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}
