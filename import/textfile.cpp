#include "import/textfile.h"

#include <filesystem>

#include "mib/sourcetext.h"
#include "text/textio.h"

bool FileExists(const std::string& fileName) {
    std::error_code error;
    return std::filesystem::is_regular_file(fileName, error);
}

std::vector<std::string> ReadTextLines(const std::string& fileName) {
    const std::string bytes = ReadFileBytes(fileName);
    const std::vector<std::string_view> lines = textfile::SplitLines(bytes);
    return {lines.begin(), lines.end()};
}
