#include "import/lognotes.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 4> TracePrefixes = {"Load: ", "MIB: ", "Type: ", "Value: "};

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// "ifIndex:  org(iso,???) -> ...": an object's name, a colon and two blanks.
bool isParentChain(std::string_view line) {
    std::size_t end = 0;
    while (end < line.size() && isNameCharacter(line[end])) ++end;
    return end > 0 && line.substr(end, 3) == ":  ";
}

}  // namespace

bool IsLogNote(std::string_view line) {
    if (line.empty() || isParentChain(line)) return false;
    for (std::string_view prefix : TracePrefixes)
        if (line.starts_with(prefix)) return false;
    return true;
}
