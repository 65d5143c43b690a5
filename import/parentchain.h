#pragma once
// Walking an object's parents up to the root arc iso, and the OID made from the walk.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class tmibfile;
class tmibentry;

// The most arcs an SNMP OID may have; a walk gives up beyond it (or beyond as many members),
// so that a chain of any depth costs each object no more than that.
inline constexpr std::size_t MaxOidArcs = 128;

// The symbol followed by its ancestors, nearest first, as far as they are defined.
struct ParentChain {
    std::vector<const tmibentry*> members;
    bool rooted = false;        // the walk reached the parent name iso
    bool tooDeep = false;       // the walk gave up at MaxOidArcs, not rooted
    bool unassigned = false;    // the last member's arc is not assigned yet (tmibentry::UnassignedArc)
    std::string missingParent;  // the parent name (or the unassigned arc) that ended an unrooted walk
};

// Follows the first OID part of each member by name, looked up in that member's module (see
// tmibfile::EntryIndex); stops at iso, at a parent defined nowhere, at the first symbol met
// twice (a loop), at a member whose arc is not assigned, and once the OID or the chain runs past
// MaxOidArcs (the last four not rooted).
ParentChain WalkParents(const tmibfile& mib, const tmibentry& symbol);

// The arc a parent name stands for, looked up as a walk does from module: 1 for iso, else the
// last arc of its OID value; nothing when it is defined nowhere or its value has no arc of its own.
std::optional<uint32_t> OwnArc(const tmibfile& mib, const std::string& name, int module);

// "1" followed by the arcs of every member from the topmost down to the symbol: 1.3.6.1...
std::string ChainOid(const ParentChain& chain);

// Each member from the topmost down as Name(parts,...) -> , for the import log.
std::string ChainText(const ParentChain& chain);
