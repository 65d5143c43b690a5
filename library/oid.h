#pragma once
// An OID as numbers: what the device check walks and matches, and what the editor accepts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using Oid = std::vector<std::uint32_t>;

// Dotted decimal with or without a leading dot: "1.3.6.1" and ".1.3.6.1" -> {1,3,6,1};
// nothing for "", "1..2", "1.x", an arc above 4294967295 or more than 128 arcs.
std::optional<Oid> ParseOid(std::string_view text);
// {1,3,6,1} -> "1.3.6.1"
std::string FormatOid(const Oid& oid);
// True when oid lies in the subtree of prefix (prefix itself included).
bool OidStartsWith(const Oid& oid, const Oid& prefix);
