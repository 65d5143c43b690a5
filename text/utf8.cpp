#include "text/utf8.h"

std::size_t DecodeUtf8(std::string_view bytes, std::size_t i, char32_t& letter) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        letter = lead;
        return 1;
    }
    std::size_t length;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, letter = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, letter = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, letter = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        letter = (letter << 6) | (byte(i + k) & 0x3F);
    }
    if (letter < minimum || letter > 0x10FFFF || (letter >= 0xD800 && letter <= 0xDFFF)) return 0;
    return length;
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t letter;
        const std::size_t length = DecodeUtf8(bytes, i, letter);
        if (length == 0) return false;
        i += length;
    }
    return true;
}
