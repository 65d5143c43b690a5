#include "mib/sourcetext.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "mib/mibfile.h"

namespace {

// Joining with CR LF at most doubles the text, and Position must still fit in 32 bits.
constexpr size_t maxTextSize = 512u * 1024 * 1024;

}  // namespace

std::string ReadFileBytes(const std::string& fileName) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(fileName.c_str(), "rb"), &std::fclose);
    if (!file) throw emibfileerror("Cannot open file \"" + fileName + "\": " + std::strerror(errno));
    std::string bytes;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
    if (std::ferror(file.get()))
        throw emibfileerror("Cannot read file \"" + fileName + "\": " + std::strerror(errno));
    return bytes;
}

std::string JoinLinesWithCrLf(const std::string& raw) {
    size_t i = raw.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::string text;
    text.reserve(raw.size() + raw.size() / 16);
    while (i < raw.size()) {
        const size_t end = raw.find_first_of("\r\n", i);
        if (end == std::string::npos) {
            text.append(raw, i, std::string::npos);
            text += "\r\n";
            break;
        }
        text.append(raw, i, end - i);
        text += "\r\n";
        i = end + (raw[end] == '\r' && end + 1 < raw.size() && raw[end + 1] == '\n' ? 2 : 1);
    }
    return text;
}

void tmibfile::LoadFile(const std::string& fileName) {
    LoadText(ReadFileBytes(fileName), fileName);
}

void tmibfile::LoadText(const std::string& text, const std::string& fileName) {
    if (text.size() > maxTextSize)
        throw emibfileerror("File \"" + fileName + "\" is too large to be a MIB module");
    Text = JoinLinesWithCrLf(text);
    Position = 1;
    FileName = fileName;
}

int ErrorLine(const std::string& text, int32_t position) {
    const size_t before = position <= 1 ? 0 : std::min(text.size(), static_cast<size_t>(position) - 1);
    int line = 1;
    for (size_t i = 0; i < before; ++i)
        if (text[i] == '\n') ++line;
    return line;
}

int ErrorLine(const eparseexception& error) {
    try {
        return ErrorLine(JoinLinesWithCrLf(ReadFileBytes(error.FileName)), error.Position);
    } catch (const emibfileerror&) {
        return 0;
    }
}
