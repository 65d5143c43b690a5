#pragma once
// The other names of a module that an IMPORTS clause names but no folder holds.

#include <functional>
#include <string>
#include <vector>

// The names a module may be found under, in the order to try them, when none is found under the
// name an IMPORTS clause gives: the same RFC written another way ("RFC-1213" -> "RFC1213-MIB",
// "RFC1212" -> "RFC-1212", "RFC-1155-SMI" -> "RFC1155-SMI"), the module an RFC's MIB was renamed
// to ("RFC1493-MIB" -> "BRIDGE-MIB", "RFC1903-MIB" -> "SNMPv2-TC"), "_" written "-" and back, and
// the name with or without "-MIB". Letter case needs no alias: the module search ignores it.
std::vector<std::string> ModuleAliases(const std::string& module);

// The first alias of module under which locate finds a file (file then names it) or that known
// says is loaded already (file then ""); "" when there is none.
std::string FindAlias(const std::string& module, const std::function<std::string(const std::string&)>& locate,
                      const std::function<bool(const std::string&)>& known, std::string& file);
