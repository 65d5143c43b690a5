#pragma once
// Record names to record indexes for the parser's lookups; the first definition of a name wins.

#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "text/asciicase.h"

// Hashing and comparing names without regard to ASCII letter case. A letter and its other case
// differ only in the bit 0x20, so the hash sets that bit in every byte (a few other names then
// share a hash, which the comparison sorts out) and takes eight bytes a step. Not noexcept on
// purpose: the standard library then keeps each key's hash in its map node, so that a lookup
// does not hash the other keys of its bucket again.
struct AnyCaseHash {
    size_t operator()(std::string_view name) const {
        constexpr uint64_t prime = 1099511628211ull;  // FNV-1a
        uint64_t hash = 14695981039346656037ull;
        size_t i = 0;
        for (; i + 8 <= name.size(); i += 8) {
            uint64_t word;
            std::memcpy(&word, name.data() + i, 8);
            hash = (hash ^ (word | 0x2020202020202020ull)) * prime;
        }
        for (; i < name.size(); ++i) hash = (hash ^ (static_cast<unsigned char>(name[i]) | 0x20u)) * prime;
        return static_cast<size_t>(hash ^ (hash >> 32));
    }
};
struct AnyCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const noexcept {
        return a == b || asciicase::EqualsIgnoringCase(a, b);
    }
};

// One hash map serves both lookups: its key is the first spelling of a name in any case, and
// the rare later records spelled in another case are kept aside for the exact lookup.
class NameIndex {
  public:
    // The index keeps a view of name: the records own their names and are never removed.
    void Add(std::string_view name, int index) {
        const auto [first, added] = anyCase_.try_emplace(name, index);
        if (!added && first->first != name) otherSpellings_.try_emplace(name, index);
    }
    // The first record spelled exactly name, -1 if none.
    int Exact(std::string_view name) const {
        const auto found = anyCase_.find(name);
        if (found == anyCase_.end()) return -1;
        if (found->first == name) return found->second;
        const auto other = otherSpellings_.find(name);
        return other == otherSpellings_.end() ? -1 : other->second;
    }
    // The first record named name in any ASCII letter case, -1 if none.
    int AnyCase(std::string_view name) const {
        const auto found = anyCase_.find(name);
        return found == anyCase_.end() ? -1 : found->second;
    }

  private:
    std::unordered_map<std::string_view, int, AnyCaseHash, AnyCaseEqual> anyCase_;
    std::unordered_map<std::string_view, int> otherSpellings_;
};
