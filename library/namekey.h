#pragma once
// Splitting and joining the agent|group|name key of an entry.

#include <string>

// The three parts a name key splits into.
struct NameParts {
    std::string agent;
    std::string group;
    std::string name;
};

// Splits at the first "|", then the rest at its first "|":
// "a|b|c" -> a,b,c; "a|b" -> a,b,b; "a" -> a,a,a; "a|b|c|d" -> a,b,"c|d"; "" -> "","","".
// Parts of any length are kept whole.
NameParts SplitNameKey(const std::string& key);

std::string JoinNameKey(const std::string& agent, const std::string& group, const std::string& name);
