#include "import/textfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "mib/parseexception.h"

namespace {

std::string ReadBytes(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw emibfileerror("Cannot open file \"" + fileName + "\": " + std::strerror(errno));
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) throw emibfileerror("Cannot read file \"" + fileName + "\": " + std::strerror(errno));
    return bytes.str();
}

}  // namespace

bool FileExists(const std::string& fileName) {
    std::error_code error;
    return std::filesystem::is_regular_file(fileName, error);
}

std::vector<std::string> ReadTextLines(const std::string& fileName) {
    const std::string bytes = ReadBytes(fileName);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

std::string ReadJoinedText(const std::string& fileName) {
    std::string text;
    for (const std::string& line : ReadTextLines(fileName)) text += line + "\r\n";
    return text;
}
