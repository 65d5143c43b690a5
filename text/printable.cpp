#include "text/printable.h"

#include "text/utf8.h"

namespace {

constexpr char upperHex[] = "0123456789ABCDEF", lowerHex[] = "0123456789abcdef";

bool IsControl(char32_t letter) {
    return letter < 0x20 || (letter >= 0x7F && letter <= 0x9F);
}

bool IsBidiControl(char32_t letter) {
    return letter == 0x061C || letter == 0x200E || letter == 0x200F ||
           (letter >= 0x202A && letter <= 0x202E) || (letter >= 0x2066 && letter <= 0x2069);
}

void AppendHex(std::string& out, char32_t value, int digits, const char* hex = upperHex) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += hex[(value >> shift) & 0xF];
}

// Calls plain(bytes) for each well-formed character that prints as itself, control(letter) for
// a control or bidirectional one and invalid(byte) for each byte outside well-formed UTF-8.
template <typename Plain, typename Control, typename Invalid>
void VisitCharacters(std::string_view text, Plain plain, Control control, Invalid invalid) {
    for (std::size_t i = 0; i < text.size();) {
        char32_t letter = 0;
        const std::size_t length = DecodeUtf8(text, i, letter);
        if (length == 0)
            invalid(static_cast<unsigned char>(text[i]));
        else if (IsControl(letter) || IsBidiControl(letter))
            control(letter, text.substr(i, length));
        else
            plain(text.substr(i, length));
        i += length == 0 ? 1 : length;
    }
}

void AppendByteEscapes(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        out += "\\x";
        AppendHex(out, static_cast<unsigned char>(c), 2);
    }
}

}  // namespace

std::string EscapeForTerminal(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    VisitCharacters(
        text, [&](std::string_view bytes) { out.append(bytes); },
        [&](char32_t letter, std::string_view bytes) {
            if (IsBidiControl(letter)) {
                out += "\\u";
                AppendHex(out, letter, 4);
            } else {
                AppendByteEscapes(out, bytes);
            }
        },
        [&](unsigned char byte) {
            AppendByteEscapes(out, std::string_view(reinterpret_cast<const char*>(&byte), 1));
        });
    return out;
}

std::string QuoteForJson(std::string_view text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    VisitCharacters(
        text,
        [&](std::string_view bytes) {
            if (bytes == "\"" || bytes == "\\") out += '\\';
            out.append(bytes);
        },
        [&](char32_t letter, std::string_view) {
            out += "\\u";
            AppendHex(out, letter, 4, lowerHex);
        },
        [&](unsigned char byte) {
            out += "\\\\x";
            AppendHex(out, byte, 2);
        });
    return out + "\"";
}

std::string ShortenedToken(std::string_view token) {
    if (token.size() <= MaxQuotedToken) return std::string(token);
    return std::string(token.substr(0, MaxQuotedToken)) + "... (" + std::to_string(token.size()) +
           " characters)";
}
