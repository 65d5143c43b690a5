#pragma once
// Which lines of an import log a reader needs: the notes among the trace of the parse.

#include <string_view>

// True for a note: an object that makes no entry and why, a type defined nowhere, a unit rule or
// row name read from the MIB, a name whose first letter was repaired, entries skipped as already
// in the library, a missing augmented row, a file passed over in the module search, the log cut
// short. False for an empty line and for the trace that follows the parse step by step:
//   "Load: /mibs/IF-MIB.mib", "MIB: IF-MIB", "Type: IfEntry", "Value: ifIndex (OBJECT-TYPE)",
//   "ifIndex:  org(iso,???) -> dod(org,???) -> ..." (an entry's parent chain, two blanks).
// A line of any other form is a note, so that a new kind of note is never hidden.
bool IsLogNote(std::string_view line);
