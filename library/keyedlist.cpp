#include "library/keyedlist.h"

#include "text/asciicase.h"

void KeyedList::Set(const std::string& key, const std::string& value) {
    std::string indexKey = asciicase::Upper(key);
    const auto found = index_.find(indexKey);
    if (found == index_.end()) {
        if (value.empty()) return;
        index_.emplace(std::move(indexKey), lines_.size());
        lines_.push_back({key, value});
        return;
    }
    if (!value.empty()) {
        lines_[found->second].value = value;
        return;
    }
    // Removing a line moves the later ones up; their indexes follow.
    const std::size_t removed = found->second;
    index_.erase(found);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(removed));
    for (auto& entry : index_)
        if (entry.second > removed) --entry.second;
}

const std::string* KeyedList::Find(const std::string& key) const {
    const auto found = index_.find(asciicase::Upper(key));
    return found == index_.end() ? nullptr : &lines_[found->second].value;
}

void KeyedList::Clear() {
    lines_.clear();
    index_.clear();
}
