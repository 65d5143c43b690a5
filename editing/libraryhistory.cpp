#include "editing/libraryhistory.h"

#include "library/oidfile.h"

LibraryHistory::LibraryHistory(std::size_t maxSteps, std::size_t maxSlots)
    : maxSteps_(maxSteps), maxSlots_(maxSlots) {
    states_.emplace_back();
    saved_ = 0;
}

std::vector<LibraryHistory::Slot> LibraryHistory::versionsOf(
    const toidfile& library, std::unordered_map<const Toiddata*, Slot>& live) {
    std::vector<Slot> entries;
    entries.reserve(std::size_t(library.Count()));
    live.reserve(std::size_t(library.Count()));
    for (int i = 0; i < library.Count(); ++i) {
        const Toiddata* entry = library.Entries(i);
        const auto known = live_.find(entry);
        Slot slot;
        if (known != live_.end() && known->second->fields == *entry)
            slot = known->second;
        else
            slot = std::make_shared<const Version>(
                Version{known != live_.end() ? known->second->id : nextId_++, *entry});
        live.emplace(entry, slot);
        entries.push_back(std::move(slot));
    }
    return entries;
}

void LibraryHistory::Reset(const toidfile& library) {
    live_.clear();
    std::unordered_map<const Toiddata*, Slot> live;
    states_.clear();
    states_.push_back({versionsOf(library, live), {}});
    live_ = std::move(live);
    slots_ = states_.front().entries.size();
    current_ = 0;
    saved_ = 0;
}

bool LibraryHistory::Record(const toidfile& library, const std::string& what) {
    std::unordered_map<const Toiddata*, Slot> live;
    std::vector<Slot> entries = versionsOf(library, live);
    live_ = std::move(live);
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
    restore(library, states_[current_]);
}

void LibraryHistory::Redo(toidfile& library) {
    if (!CanRedo()) return;
    ++current_;
    restore(library, states_[current_]);
}

void LibraryHistory::restore(toidfile& library, const State& state) {
    std::vector<std::unique_ptr<Toiddata>> previous = library.TakeAll();
    std::unordered_map<std::uint64_t, std::unique_ptr<Toiddata>*> byId;
    for (std::unique_ptr<Toiddata>& entry : previous) {
        const auto known = live_.find(entry.get());
        if (known != live_.end()) byId.emplace(known->second->id, &entry);
    }
    std::unordered_map<const Toiddata*, Slot> live;
    live.reserve(state.entries.size());
    for (const Slot& slot : state.entries) {
        std::unique_ptr<Toiddata> entry;
        const auto kept = byId.find(slot->id);
        if (kept != byId.end() && *kept->second) {
            entry = std::move(*kept->second);
            if (!(*entry == slot->fields)) *entry = slot->fields;
        } else {
            entry = std::make_unique<Toiddata>(slot->fields);
        }
        live.emplace(entry.get(), slot);
        library.Add(std::move(entry));
    }
    live_ = std::move(live);
    // The entries that did not come back are freed only now, after every new one was made, so no
    // new entry takes the place of one that went.
}
