#pragma once
// Well-formed UTF-8: what the case rules and the JSON report take as UTF-8 text. Overlong forms,
// surrogates, code points above U+10FFFF and cut sequences are not well-formed.

#include <cstddef>
#include <string_view>

// Decodes the sequence at bytes[i] into letter; returns its length, 0 when it is malformed.
std::size_t DecodeUtf8(std::string_view bytes, std::size_t i, char32_t& letter);

bool IsValidUtf8(std::string_view bytes);
