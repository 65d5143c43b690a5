#pragma once
// Importing modules again: the entries an import makes meet the library's entries of the same
// module (agent) and OID, which are kept or replaced, never doubled.

#include <string>
#include <vector>

class toidfile;

// What becomes of the library's entries that an import makes again.
enum class ExistingChoice {
    Keep,     // the library's entries stay as the user left them; only objects new to it are added
    Replace,  // the import's entries take their places; edits of them are lost
};

// What a merge did, for the import's report.
struct MergeResult {
    int added = 0;     // entries of objects new to the library
    int kept = 0;      // entries of the import the library had already, left as they were
    int replaced = 0;  // entries of the library the import replaced where they stood
    int removed = 0;   // further entries of the library with the agent and OID of a replaced one
    int repeated = 0;  // entries the import made twice with one agent and OID, added once
    // The library's entries of the import's agents whose OID the import did not make, as
    // "agent|group|name (oid)"; they stay in the library.
    std::vector<std::string> noLongerDefined;

    bool changedLibrary() const { return added + replaced + removed > 0; }
    // The lines after the import's report; none when the import met nothing in the library.
    std::vector<std::string> ReportLines() const;
};

// How many of the entries an import made have an entry of the same agent and OID in the library.
int CountExisting(const toidfile& library, const toidfile& imported);

// Moves the imported entries into the library as choice says, leaving imported empty.
MergeResult MergeImport(toidfile& library, toidfile& imported, ExistingChoice choice);
