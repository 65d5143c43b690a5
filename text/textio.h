#pragma once
// Reading a whole file and splitting text into lines, for every reader of the core.

#include <string>
#include <string_view>
#include <vector>

namespace textfile {

// Reads the whole file into bytes; on failure returns false with a message naming the file,
// e.g. "Cannot open file \"x.mib\". No such file or directory".
bool TryReadFile(const std::string& fileName, std::string& bytes, std::string& message);

// The file's bytes; throws Error(message) when it cannot be opened or read, so that each
// reader raises its own kind of error.
template <typename Error>
std::string ReadFile(const std::string& fileName) {
    std::string bytes, message;
    if (!TryReadFile(fileName, bytes, message)) throw Error(message);
    return bytes;
}

// Where the next line break (CR or LF) stands at or after from, or npos.
std::size_t FindLineBreak(std::string_view text, std::size_t from);

// Calls visit(line) for each line of text; CR LF, LF and CR each end a line, and a last line
// without an end counts: "a\r\nb\rc\n" -> "a", "b", "c"; "a\n\nb" -> "a", "", "b"; "" -> none.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = FindLineBreak(text, start);
        if (end == std::string_view::npos) {
            visit(text.substr(start));
            return;
        }
        visit(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

// The lines ForEachLine visits, as a list.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace textfile
