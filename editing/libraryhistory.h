#pragma once
// Undo and Redo of the library: the states after each change, sharing the entries they have in common.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "library/oiddata.h"

class toidfile;

// Keeps the library's states after each change as lists of shared entry versions: an entry that
// a change left alone is held once for every state, so a step costs one pointer per entry and a
// copy of each changed entry. Undo and Redo put a state back into the library; the entries that
// stay keep their objects (so the tree's ticks and the editor's entry survive), changed ones get
// their old fields back, and removed ones come back as new objects.
class LibraryHistory {
  public:
    // At most maxSteps changes are kept, and fewer while the states together would hold more than
    // maxSlots entries (16 bytes each): the oldest steps go first.
    explicit LibraryHistory(std::size_t maxSteps = 100, std::size_t maxSlots = 4'000'000);

    // Starts over at the library as it is (new or opened): nothing to undo or redo, and this is
    // the saved state.
    void Reset(const toidfile& library);
    // After a change of the library named what ("Delete", "Import"): a step to undo, replacing
    // whatever could be redone. A change that left every entry as it was adds no step; returns
    // whether one was added.
    bool Record(const toidfile& library, const std::string& what);

    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < states_.size(); }
    std::size_t UndoSteps() const { return current_; }
    // The change that Undo takes back and the one that Redo makes again; "" when there is none.
    std::string UndoName() const;
    std::string RedoName() const;
    void Undo(toidfile& library);
    void Redo(toidfile& library);

    // The current state is the one on disk.
    void MarkSaved() { saved_ = current_; }
    // No state is on disk any more (another content was written over the file).
    void ForgetSaved() { saved_.reset(); }
    bool AtSavedState() const { return saved_ == current_; }

  private:
    // One entry's fields as they were in one or more states; id follows the entry through changes.
    struct Version {
        std::uint64_t id;
        Toiddata fields;
    };
    using Slot = std::shared_ptr<const Version>;
    struct State {
        std::vector<Slot> entries;
        std::string what;  // the change that led here
    };

    // The library's entries as versions: the ones unchanged since the current state shared, the
    // others new; live_ then lists the library's objects.
    std::vector<Slot> versionsOf(const toidfile& library);
    // Puts state into the library, whose objects hold the versions of from.
    void restore(toidfile& library, const State& from, const State& to);
    void dropOldest();

    std::size_t maxSteps_, maxSlots_;
    std::deque<State> states_;
    std::size_t current_ = 0;
    std::optional<std::size_t> saved_;
    std::size_t slots_ = 0;  // entries held by all states
    std::uint64_t nextId_ = 0;
    // The library's objects when the current state was recorded or restored, in the order of its
    // versions: the object at i holds the version at i.
    std::vector<const Toiddata*> live_;
};
