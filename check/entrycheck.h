#pragma once
// What a device check found for one entry of a library.

#include <string>
#include <vector>

// The outcome for one entry.
struct EntryCheck {
    bool answered = false;
    int rows = 0;  // instances under a table column (or a GETNEXT entry); 1 for an answered single value
    std::vector<std::string>
        remarks;  // "Counter32 where the entry is a gauge", "the agent says noSuchObject"
    // A single value without a value at its OID but one below it: read with GETNEXT, it is answered.
    bool onlyThroughGetnext = false;
};
