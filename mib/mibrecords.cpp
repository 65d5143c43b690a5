#include "mib/mibrecords.h"

#include <algorithm>
#include <string_view>

#include "text/asciicase.h"

namespace {

// The name part of a "name=value" line.
std::string_view lineKey(const std::string& line) {
    return std::string_view(line).substr(0, std::min(line.find('='), line.size()));
}

}  // namespace

int ItemIndex(const tasntype& type, const std::string& name) {
    for (size_t i = 0; i < type.Items.size(); ++i)
        if (lineKey(type.Items[i]) == name) return static_cast<int>(i);
    return -1;
}

std::string tmibentry::ClauseValue(const std::string& keyword) const {
    for (const std::string& line : Clauses) {
        const std::string_view key = lineKey(line);
        if (key.size() < line.size() && asciicase::EqualsIgnoringCase(key, keyword))
            return line.substr(key.size() + 1);
    }
    return {};
}
