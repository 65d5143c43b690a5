#pragma once
// Record names to record indexes for the parser's lookups; the first definition of a name wins.

#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

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

// One table serves both lookups: it holds the first spelling of a name in any case, and the
// rare later records spelled in another case are kept aside for the exact lookup. The table is
// open-addressed in one array: an import adds the names of every module it loads, and a node
// allocated per name cost more than all the lookups.
class NameIndex {
  public:
    // The index keeps a view of name: the records own their names and are never removed.
    void Add(std::string_view name, int index) {
        if ((count_ + 1) * 4 > slots_.size() * 3) grow();
        const std::size_t hash = AnyCaseHash{}(name);
        Slot& slot = slots_[place(name, hash)];
        if (slot.index < 0) {
            slot = {hash, name, index};
            ++count_;
        } else if (slot.name != name) {
            otherSpellings_.try_emplace(name, index);
        }
    }
    // Room for names in all without growing on the way.
    void Reserve(std::size_t names) {
        while (names * 4 > slots_.size() * 3) grow();
    }
    // The first record spelled exactly name, -1 if none.
    int Exact(std::string_view name) const {
        const Slot* slot = find(name);
        if (slot == nullptr) return -1;
        if (slot->name == name) return slot->index;
        const auto other = otherSpellings_.find(name);
        return other == otherSpellings_.end() ? -1 : other->second;
    }
    // The first record named name in any ASCII letter case, -1 if none.
    int AnyCase(std::string_view name) const {
        const Slot* slot = find(name);
        return slot == nullptr ? -1 : slot->index;
    }

  private:
    struct Slot {
        std::size_t hash = 0;
        std::string_view name;
        int index = -1;  // -1: empty
    };

    // Where name is, in any case, or the empty slot where it would go (linear probing).
    std::size_t place(std::string_view name, std::size_t hash) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.index < 0 || (slot.hash == hash && AnyCaseEqual{}(slot.name, name))) return i;
        }
    }
    const Slot* find(std::string_view name) const {
        if (slots_.empty()) return nullptr;
        const Slot& slot = slots_[place(name, AnyCaseHash{}(name))];
        return slot.index < 0 ? nullptr : &slot;
    }
    // Twice the slots (a power of two), at most three quarters of them used.
    void grow() {
        std::vector<Slot> old(slots_.empty() ? 16 : slots_.size() * 2);
        old.swap(slots_);
        for (const Slot& slot : old)
            if (slot.index >= 0) slots_[place(slot.name, slot.hash)] = slot;
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
    std::unordered_map<std::string_view, int> otherSpellings_;
};
