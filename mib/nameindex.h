#pragma once
// Record names to record indexes for the parser's lookups; the first definition of a name wins.

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "text/asciicase.h"

// Hashing and comparing names without regard to ASCII letter case.
struct tanycasehash {
    size_t operator()(std::string_view name) const noexcept {
        size_t hash = 14695981039346656037ull;  // FNV-1a
        for (char c : name) hash = (hash ^ static_cast<unsigned char>(asciicase::upper(c))) * 1099511628211ull;
        return hash;
    }
};
struct tanycaseequal {
    bool operator()(std::string_view a, std::string_view b) const noexcept {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return asciicase::upper(x) == asciicase::upper(y);
               });
    }
};

class tnameindex {
  public:
    // The index keeps a view of name: the records own their names and are never removed.
    void Add(std::string_view name, int index) {
        exact_.try_emplace(name, index);
        anyCase_.try_emplace(name, index);
    }
    // The first record spelled exactly name, -1 if none.
    int Exact(std::string_view name) const { return find(exact_, name); }
    // The first record named name in any ASCII letter case, -1 if none.
    int AnyCase(std::string_view name) const { return find(anyCase_, name); }

  private:
    template <class Map>
    static int find(const Map& index, std::string_view name) {
        const auto found = index.find(name);
        return found == index.end() ? -1 : found->second;
    }
    std::unordered_map<std::string_view, int> exact_;
    std::unordered_map<std::string_view, int, tanycasehash, tanycaseequal> anyCase_;
};
