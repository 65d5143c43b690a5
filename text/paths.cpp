#include "text/paths.h"

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

}  // namespace

std::string FolderOfFile(const std::string& fileName) {
    const std::size_t separator = fileName.find_last_of("/\\");
    return separator == std::string::npos ? "./" : fileName.substr(0, separator + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || IsSeparator(folder.back())) return folder + name;
    return folder + "/" + name;
}
