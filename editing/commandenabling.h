#pragma once
// The window's enabling table: which commands and panels are enabled or shown, from the state of
// the tree, of partial selection and of the editor.

#include <string_view>
#include <vector>

// What the rules look at.
struct EnablingFacts {
    bool treeNotEmpty = false;
    bool partial = false;  // partial selection mode is on
    bool edited = false;   // the editor holds unapplied changes
    bool running = false;  // an import or a device check is under way
    bool canUndo = false;  // the library has a change to take back
    bool canRedo = false;  // or one to make again
};

enum class EnablingRule {
    IfPartial,
    // The editor: not in partial selection, and not while an import or check runs, whose end
    // would replace what it shows.
    IfNotPartialAndNotRunning,
    // Apply and Cancel: only while the editor holds changes, so that leaving partial selection never
    // offers Apply on a blank editor (which would add an empty entry).
    IfNotPartialAndEdited,
    IfTreeNotEmpty,
    // Undo and Redo: not while the editor holds unapplied changes (Apply or Cancel settles them).
    IfUndoable,
    IfRedoable,
};

// One row: the object name of an action, menu row or widget, what it shows, and its rule.
struct EnablingRow {
    std::string_view element;
    bool setsVisibility;  // true: shown or hidden; false: enabled or disabled
    EnablingRule rule;
};

// Every element with a rule; the other commands are always enabled.
const std::vector<EnablingRow>& EnablingTable();

bool RuleHolds(EnablingRule rule, const EnablingFacts& facts);
