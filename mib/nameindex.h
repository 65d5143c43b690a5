#pragma once
// Record names to record indexes for the parser's lookups; the first definition of a name wins.

#include <string>
#include <unordered_map>

class tnameindex {
  public:
    // key is name upper-cased.
    void Add(const std::string& name, const std::string& key, int index) {
        exact_.try_emplace(name, index);
        anyCase_.try_emplace(key, index);
    }
    // The first record spelled exactly name, -1 if none.
    int Exact(const std::string& name) const { return find(exact_, name); }
    // The first record whose upper-cased name is key, -1 if none.
    int AnyCase(const std::string& key) const { return find(anyCase_, key); }

  private:
    static int find(const std::unordered_map<std::string, int>& index, const std::string& name) {
        const auto found = index.find(name);
        return found == index.end() ? -1 : found->second;
    }
    std::unordered_map<std::string, int> exact_, anyCase_;
};
