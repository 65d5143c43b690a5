#pragma once
// The names MIB modules give OIDs, for captures that print names instead of numbers
// ("IF-MIB::ifInOctets.1", -Of's ".iso.org.dod.internet.mgmt.mib-2.interfaces.ifTable...").
// The check reads captures through this interface and the import answers it from the modules,
// so that neither needs the other: the check links no MIB parser, the import nothing of the check.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/oid.h"

class OidNames {
  public:
    virtual ~OidNames() = default;
    // The OID of name as module defines it, or with module "" the one OID that name has in the
    // modules looked in; nothing for a module or name that is not known there.
    virtual std::optional<Oid> Find(std::string_view module, std::string_view name) = 0;
    // One line for each module whose names could not be read (not found, or not parsed).
    virtual std::vector<std::string> Problems() const = 0;
};
