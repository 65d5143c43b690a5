#include "mib/nameindex.h"

void tnameindex::Add(const std::string& name, const std::string& key, int index) {
    const auto [first, added] = byKey_.try_emplace(key, tfirst{index, &name, false});
    if (added || *first->second.spelling == name) return;
    first->second.otherSpellings = true;
    otherSpellings_.try_emplace(name, index);
}

tnamehit tnameindex::Find(const std::string& name, const std::string& key) const {
    const auto first = byKey_.find(key);
    if (first == byKey_.end()) return {};
    tnamehit hit{-1, first->second.index};
    if (*first->second.spelling == name) {
        hit.exact = hit.anyCase;
    } else if (first->second.otherSpellings) {
        const auto other = otherSpellings_.find(name);
        if (other != otherSpellings_.end()) hit.exact = other->second;
    }
    return hit;
}
