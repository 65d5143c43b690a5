#include "library/namekey.h"

#include "library/oiddata.h"

namespace {

// Splits text at its first separator; without one both halves are the whole text.
std::pair<std::string, std::string> splitOnce(const std::string& text) {
    const auto bar = text.find(NameKeySeparator);
    if (bar == std::string::npos) return {text, text};
    return {text.substr(0, bar), text.substr(bar + 1)};
}

}  // namespace

NameParts SplitNameKey(const std::string& key) {
    auto [agent, rest] = splitOnce(key);
    auto [group, name] = splitOnce(rest);
    return {std::move(agent), std::move(group), std::move(name)};
}

std::string JoinNameKey(const std::string& agent, const std::string& group, const std::string& name) {
    return agent + NameKeySeparator + group + NameKeySeparator + name;
}
