#pragma once
// Conversions between the core's 8-bit strings (system code page) and Qt strings.

#include <QString>
#include <string>

inline QString toQt(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}
inline std::string fromQt(const QString& text) {
    return text.toLocal8Bit().toStdString();
}
