#include "mib/sourcetext.h"

#include <sys/stat.h>

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
    // Read straight into a string of the file's size; a file that grows meanwhile is read to its end.
    struct stat info;
    const size_t expected = ::fstat(fileno(file.get()), &info) == 0 && info.st_size > 0 ? info.st_size : 0;
    std::string bytes(expected + 1, '\0');
    size_t used = 0;
    for (size_t got; (got = std::fread(bytes.data() + used, 1, bytes.size() - used, file.get())) > 0;) {
        used += got;
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    }
    if (std::ferror(file.get()))
        throw emibfileerror("Cannot read file \"" + fileName + "\": " + std::strerror(errno));
    bytes.resize(used);
    return bytes;
}

size_t FindLineBreak(std::string_view text, size_t from) {
    if (from >= text.size()) return std::string_view::npos;
    // Two vectorised searches: the next LF, then a CR before it.
    const char* const begin = text.data() + from;
    const char* const lf = static_cast<const char*>(std::memchr(begin, '\n', text.size() - from));
    const char* const end = lf != nullptr ? lf : text.data() + text.size();
    const char* const cr = static_cast<const char*>(std::memchr(begin, '\r', static_cast<size_t>(end - begin)));
    const char* const found = cr != nullptr ? cr : lf;
    return found != nullptr ? static_cast<size_t>(found - text.data()) : std::string_view::npos;
}

std::string JoinLinesWithCrLf(const std::string& raw) {
    size_t start = raw.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::string text;
    text.reserve(raw.size() + raw.size() / 16 + 2);
    while (start < raw.size()) {
        const size_t end = FindLineBreak(raw, start);
        if (end == std::string::npos) {
            text.append(raw, start, std::string::npos);
            text += "\r\n";
            break;
        }
        text.append(raw, start, end - start);
        text += "\r\n";
        start = end + (raw[end] == '\r' && end + 1 < raw.size() && raw[end + 1] == '\n' ? 2 : 1);
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
