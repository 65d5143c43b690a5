#pragma once
// Reading a whole file and splitting text into lines, for every reader of the core.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace textfile {

// The largest file any reader takes: MIB modules, libraries and walk captures are far smaller.
inline constexpr std::size_t MaxFileSize = std::size_t{512} * 1024 * 1024;

// Reads the whole file into bytes; on failure returns false with a message naming the file,
// e.g. "Cannot open file \"x.mib\". No such file or directory". Only a regular file of at most
// MaxFileSize bytes is read: a pipe, device or socket is refused before it is opened (reading
// one could wait forever or never end), and a larger file before any of it is read.
bool TryReadFile(const std::string& fileName, std::string& bytes, std::string& message);

// The same for at most limit bytes from the start of the file: a longer file is cut, not refused.
bool TryReadFileHead(const std::string& fileName, std::size_t limit, std::string& bytes,
                     std::string& message);

// The file's bytes; throws Error(message) when it cannot be opened or read, so that each
// reader raises its own kind of error.
template <typename Error>
std::string ReadFile(const std::string& fileName) {
    std::string bytes, message;
    if (!TryReadFile(fileName, bytes, message)) throw Error(message);
    return bytes;
}

// Calls visit(line) for each line of text; CR LF, LF and CR each end a line, and a last line
// without an end counts: "a\r\nb\rc\n" -> "a", "b", "c"; "a\n\nb" -> "a", "", "b"; "" -> none.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
    // The next CR and the next LF are each searched again only once passed: most texts hold
    // only one of them, which then costs one search per line.
    std::size_t cr = text.find('\r'), lf = text.find('\n');
    std::size_t start = 0;
    while (start < text.size()) {
        if (cr < start) cr = text.find('\r', start);
        if (lf < start) lf = text.find('\n', start);
        const std::size_t end = std::min(cr, lf);
        if (end == std::string_view::npos) {
            visit(text.substr(start));
            return;
        }
        visit(text.substr(start, end - start));
        start = end + (end == cr && end + 1 == lf ? 2 : 1);
    }
}

// The lines ForEachLine visits, as a list.
std::vector<std::string_view> SplitLines(std::string_view text);

// True for an existing plain file (not a folder, pipe or device).
bool IsRegularFile(const std::string& fileName);

}  // namespace textfile
