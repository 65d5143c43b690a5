#include "mib/sourcetext.h"

#include <sys/stat.h>

#include <algorithm>
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
    for (size_t i = from; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n') return i;
    return std::string_view::npos;
}

std::string JoinLinesWithCrLf(const std::string& raw) {
    const char* const data = raw.data();
    const size_t size = raw.size();
    // The next CR and the next LF at or after from, each found by memchr and kept until passed,
    // so that every byte is searched at most twice, in the fast vectorised way.
    const auto next = [&](char c, size_t from) {
        const void* found = from < size ? std::memchr(data + from, c, size - from) : nullptr;
        return found ? static_cast<size_t>(static_cast<const char*>(found) - data) : size;
    };
    size_t start = raw.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    size_t cr = next('\r', start), lf = next('\n', start);
    std::string text;
    text.reserve(size + size / 16 + 2);
    while (start < size) {
        const size_t end = std::min(cr, lf);
        text.append(data + start, end - start);
        text += "\r\n";
        start = end + (end == cr && lf == cr + 1 ? 2 : 1);
        if (cr < start) cr = next('\r', start);
        if (lf < start) lf = next('\n', start);
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
