#pragma once
// Statistics of one MIB file's import and the plain-text report made from them.

#include <string>
#include <vector>

#include "library/keyedlist.h"

// Outcome passed to timportstat::AddOid.
enum OidOutcome : int { oidNotFound = -1, oidPartial = 0, oidResolved = 1, oidUseful = 2 };

// What one import loaded, resolved and converted; owned by the library as ImportStats.
class timportstat {
  public:
    std::string ReportFile;
    KeyedList IncludedFiles;
    KeyedList MissingFiles;
    KeyedList ResolvedOids;
    KeyedList PartialOids;
    KeyedList NotFoundOids;
    KeyedList UsefulOids;
    int NoEntryObjects = 0;  // numeric objects of the file that made no entry (each one is logged)
    // "FILE:LINE: repaired: WHAT" for each fault an import in repair mode read past (each one is logged).
    std::vector<std::string> Repairs;
    // Why the import is incomplete, each cause once, in the order met; empty when it is complete.
    std::vector<std::string> IncompleteCauses;

    void Clear();  // empties the six lists, the count, the repairs and the causes, keeps ReportFile
    void AddFile(const std::string& module, bool found);
    void AddOid(const std::string& key, const std::string& value, int outcome);
    void WriteReport(std::vector<std::string>& lines) const;
};

// Appends cause to causes unless they hold it already: each cause is named once, in the order met.
void AddIncompleteCause(std::vector<std::string>& causes, const std::string& cause);
