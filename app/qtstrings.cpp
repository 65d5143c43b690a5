#include "app/qtstrings.h"

#include <QFile>

#include "text/utf8.h"

namespace {

// Windows-1252 characters of the bytes 0x80 to 0x9F; the five unassigned bytes keep their
// C1 control characters, so that every byte decodes and encodes back.
constexpr char16_t Windows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t windows1252Char(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : char16_t(byte);
}

// The byte of a character in Windows-1252, or -1 when it has none.
int windows1252Byte(char16_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return character;
    for (int i = 0; i < 32; ++i)
        if (Windows1252High[i] == character) return 0x80 + i;
    return -1;
}

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace

TextEncoding EncodingOf(const std::string& bytes) {
    return IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

QString toQt(const std::string& bytes) {
    return Decode(bytes, EncodingOf(bytes));
}

QString Decode(const std::string& bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    for (size_t i = 0; i < bytes.size(); ++i)
        text[qsizetype(i)] = QChar(windows1252Char(static_cast<unsigned char>(bytes[i])));
    return text;
}

std::string Encode(const QString& text, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) return utf8(text);
    std::string bytes;
    bytes.reserve(size_t(text.size()));
    for (QChar character : text) {
        const int byte = windows1252Byte(character.unicode());
        if (byte < 0) return utf8(text);
        bytes.push_back(char(byte));
    }
    return bytes;
}

std::string PathBytes(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

QString PathText(const std::string& fileName) {
    return QFile::decodeName(QByteArray::fromStdString(fileName));
}
