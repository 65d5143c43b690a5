#pragma once
// The names MIB modules give OIDs, for captures that print names instead of numbers
// ("IF-MIB::ifInOctets.1", -Of's ".iso.org.dod.internet.mgmt.mib-2.interfaces.ifTable...").
// The check reads captures through this interface and the import answers it from the modules,
// so that neither needs the other: the check links no MIB parser, the import nothing of the check.

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/oid.h"

// A module or object name as MIBs spell them: a letter, then letters, digits, hyphens (and the
// underscores of some vendors). Only such a name reaches a module search, so that no "../" from
// a capture or a library's agent opens a file outside the folders searched.
inline bool IsMibName(std::string_view name) {
    return !name.empty() && std::isalpha(static_cast<unsigned char>(name[0])) &&
           std::all_of(name.begin(), name.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
           });
}

class OidNames {
  public:
    virtual ~OidNames() = default;
    // The OID of name as module defines it, or with module "" the one OID that name has in the
    // modules looked in; nothing for a module or name that is not known there.
    virtual std::optional<Oid> Find(std::string_view module, std::string_view name) = 0;
    // One line for each module whose names could not be read (not found, or not parsed).
    virtual std::vector<std::string> Problems() const = 0;
};
