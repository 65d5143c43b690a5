#pragma once
// Conversions between the core's 8-bit strings and Qt strings.
//
// The core keeps texts as the bytes it read. A text that is valid UTF-8 shows as UTF-8, any
// other as Windows-1252, which gives every byte a character: nothing is ever replaced, and
// two different byte strings never show as the same characters of the same encoding.

#include <QString>
#include <string>

enum class TextEncoding { Utf8, Windows1252 };

// How bytes show: "Gr\xC3\xA4ppe" -> UTF-8 "Gräppe"; "Gr\xE4ppe" -> Windows-1252 "Gräppe".
TextEncoding EncodingOf(const std::string& bytes);
QString Decode(const std::string& bytes, TextEncoding encoding);
// Encodes text back as it was decoded; a Windows-1252 text that gained characters
// Windows-1252 cannot hold is written as UTF-8 instead, so that no typed character is lost.
std::string Encode(const QString& text, TextEncoding encoding);

// The text the bytes show as: Decode(bytes, EncodingOf(bytes)), decoding valid UTF-8 only once.
QString toQt(const std::string& bytes);
// A new text (typed, or made by the window) as UTF-8.
inline std::string fromQt(const QString& text) {
    return Encode(text, TextEncoding::Utf8);
}

// File names as the platform's file functions take them, and back.
std::string PathBytes(const QString& fileName);
QString PathText(const std::string& fileName);
