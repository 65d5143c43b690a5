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
};

enum class EnablingRule {
    IfPartial,
    IfNotPartial,
    // Apply and Cancel: only while the editor holds changes, so that leaving partial selection never
    // offers Apply on a blank editor (which would add an empty entry).
    IfNotPartialAndEdited,
    IfTreeNotEmpty,
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
