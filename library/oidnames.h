#pragma once
// The names MIB modules give OIDs, for captures that print names instead of numbers
// ("IF-MIB::ifInOctets.1", -Of's ".iso.org.dod.internet.mgmt.mib-2.interfaces.ifTable...").
// The check reads captures through this interface and the import answers it from the modules,
// so that neither needs the other: the check links no MIB parser, the import nothing of the check.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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

// The type of one index of a table row, as far as reading back the text net-snmp prints for it
// needs: an enumerated number by its label (ipv4), a string ("eth0", 'IMPLIED'), an InetAddress
// by its address type ("127.0.0.1"), and how many arcs the others take.
struct IndexType {
    enum class Kind { number, string, inetAddress, objectId, ipAddress, networkAddress, other };
    Kind kind = Kind::other;
    std::vector<std::pair<std::string, std::int64_t>> labels;  // an enumeration's named numbers
};

// The indexes that follow a name in an instance's OID: after a table column its row's INDEX
// (or that of the row it AUGMENTS); after the row itself a column arc, then the same.
struct InstanceIndexes {
    bool afterRow = false;
    std::vector<IndexType> types;
};

class OidNames {
  public:
    virtual ~OidNames() = default;
    // The OID of name as module defines it, or with module "" the one OID that name has in the
    // modules looked in; nothing for a module or name that is not known there.
    virtual std::optional<Oid> Find(std::string_view module, std::string_view name) = 0;
    // The indexes after name as Find knows it; nothing for a name that is no table column or row,
    // or when the names come without their types.
    virtual std::optional<InstanceIndexes> IndexesAfter(std::string_view /*module*/,
                                                        std::string_view /*name*/) {
        return std::nullopt;
    }
    // One line for each module whose names could not be read (not found, or not parsed).
    virtual std::vector<std::string> Problems() const = 0;
};
