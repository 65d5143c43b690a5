#include "editing/libraryhistory.h"

#include <unordered_map>

#include "library/oidfile.h"

LibraryHistory::LibraryHistory(std::size_t maxSteps, std::size_t maxSlots)
    : maxSteps_(maxSteps), maxSlots_(maxSlots) {
    states_.emplace_back();
    saved_ = 0;
}

std::vector<LibraryHistory::Slot> LibraryHistory::versionsOf(const toidfile& library) {
    const std::vector<Slot>& last = states_[current_].entries;
    std::vector<Slot> entries;
    entries.reserve(std::size_t(library.Count()));
    // The objects of the last state are looked for in their order, which every change keeps (an
    // edit, a replace, an import that appends, a delete that leaves gaps); a map of them is made
    // only for an object found elsewhere.
    std::unordered_map<const Toiddata*, std::size_t> elsewhere;
    std::size_t next = 0;
    for (int i = 0; i < library.Count(); ++i) {
        const Toiddata* entry = library.Entries(i);
        const Slot* known = nullptr;
        if (next < live_.size() && live_[next] == entry) {
            known = &last[next++];
        } else if (next < live_.size()) {
            if (elsewhere.empty())
                for (std::size_t j = 0; j < live_.size(); ++j) elsewhere.emplace(live_[j], j);
            if (const auto found = elsewhere.find(entry); found != elsewhere.end()) {
                known = &last[found->second];
                next = found->second + 1;
            }
        }
        if (known && (*known)->fields == *entry)
            entries.push_back(*known);
        else
            entries.push_back(
                std::make_shared<const Version>(Version{known ? (*known)->id : nextId_++, *entry}));
    }
    live_.clear();
    for (int i = 0; i < library.Count(); ++i) live_.push_back(library.Entries(i));
    return entries;
}

void LibraryHistory::Reset(const toidfile& library) {
    live_.clear();
    states_.clear();
    states_.emplace_back();
    states_.front().entries = versionsOf(library);
    slots_ = states_.front().entries.size();
    current_ = 0;
    saved_ = 0;
}

bool LibraryHistory::Record(const toidfile& library, const std::string& what) {
    std::vector<Slot> entries = versionsOf(library);
    if (entries == states_[current_].entries) return false;
    while (CanRedo()) {
        slots_ -= states_.back().entries.size();
        states_.pop_back();
    }
    if (saved_ && *saved_ > current_) saved_.reset();  // the saved state could only be redone
    slots_ += entries.size();
    states_.push_back({std::move(entries), what});
    ++current_;
    while (current_ > 0 && (current_ > maxSteps_ || slots_ > maxSlots_)) dropOldest();
    return true;
}

void LibraryHistory::dropOldest() {
    slots_ -= states_.front().entries.size();
    states_.pop_front();
    --current_;
    if (saved_ && *saved_ == 0)
        saved_.reset();
    else if (saved_)
        --*saved_;
}

std::string LibraryHistory::UndoName() const {
    return CanUndo() ? states_[current_].what : std::string();
}

std::string LibraryHistory::RedoName() const {
    return CanRedo() ? states_[current_ + 1].what : std::string();
}

void LibraryHistory::Undo(toidfile& library) {
    if (!CanUndo()) return;
    --current_;
    restore(library, states_[current_ + 1], states_[current_]);
}

void LibraryHistory::Redo(toidfile& library) {
    if (!CanRedo()) return;
    ++current_;
    restore(library, states_[current_ - 1], states_[current_]);
}

void LibraryHistory::restore(toidfile& library, const State& from, const State& to) {
    std::vector<std::unique_ptr<Toiddata>> previous = library.TakeAll();
    std::unordered_map<std::uint64_t, std::unique_ptr<Toiddata>*> byId;
    byId.reserve(previous.size());
    for (std::size_t i = 0; i < previous.size() && i < live_.size(); ++i)
        if (previous[i].get() == live_[i]) byId.emplace(from.entries[i]->id, &previous[i]);
    live_.clear();
    live_.reserve(to.entries.size());
    for (const Slot& slot : to.entries) {
        std::unique_ptr<Toiddata> entry;
        const auto kept = byId.find(slot->id);
        if (kept != byId.end() && *kept->second) {
            entry = std::move(*kept->second);
            if (!(*entry == slot->fields)) *entry = slot->fields;
        } else {
            entry = std::make_unique<Toiddata>(slot->fields);
        }
        live_.push_back(entry.get());
        library.Add(std::move(entry));
    }
    // The entries that did not come back are freed only now, after every new one was made, so no
    // new entry takes the place of one that went.
}
