#pragma once
// Checks a library against a device: for every entry, whether the device answers it, with how
// many rows and which answers contradict the entry.
//
//   toidfile library; ...
//   CheckResult result = CheckAgainstAgent(library, settings, [&](const WalkProgress& p) {
//       return !cancelled; });
//   result.entries[i].answered, .rows, .remarks; CheckReportLines(library, result)

#include <string>
#include <vector>

#include "check/agentwalk.h"
#include "check/deviceanswers.h"
#include "check/entrycheck.h"
#include "check/lineranges.h"

class OidNames;
class toidfile;
class Toiddata;

// The outcome for a whole library, one EntryCheck per entry in library order.
struct CheckResult {
    std::vector<EntryCheck> entries;
    std::string source;       // "walk capture ifs.walk", "agent 192.0.2.1, SNMP v2c"
    LineRanges skippedLines;  // capture lines that could not be read
    // One line for each module whose names the capture uses but that could not be read.
    std::vector<std::string> unreadModules;
    std::size_t variables = 0;  // variables read from the source
    int Answered() const;
};

// The subtrees a walk needs: for a table column its row, for a single value its group
// (the OID without ".0" and its last arc), the columns that name rows, with every subtree
// inside another one dropped.
// {1.3.6.1.2.1.2.2.1.10, 1.3.6.1.2.1.2.1.0} -> {1.3.6.1.2.1.2}. Entries whose OID is not
// numeric need nothing.
std::vector<Oid> SubtreesToWalk(const toidfile& library);

// What a walk keeps: the variables at and below each entry's OID; nothing else of the
// subtrees walked is matched against an entry.
std::vector<Oid> OidsEntriesNeed(const toidfile& library);

// The outcome for one entry from what the device answered.
EntryCheck MatchEntry(const Toiddata& entry, const DeviceAnswers& answers);
CheckResult MatchEntries(const toidfile& library, const DeviceAnswers& answers);

// Reads a capture file (throws CheckError unreadable) and matches the library against it; names,
// when given, reads the OIDs the capture prints as names.
CheckResult CheckAgainstCapture(const toidfile& library, const std::string& fileName,
                                OidNames* names = nullptr);
// Walks the subtrees the library needs and matches it; errors as WalkAgent.
CheckResult CheckAgainstAgent(const toidfile& library, const AgentSettings& settings,
                              const WalkProgressCallback& progress = {});
// Matches the library against what the agent of settings answered (a BackgroundWalk's answers).
CheckResult MatchAgentAnswers(const toidfile& library, const AgentSettings& settings,
                              const DeviceAnswers& answers);

// Copies the answered entries into target, in library order; with fixGetnext also the entries
// answered only through GETNEXT, with usegetnext set.
void CopyAnsweredEntries(const toidfile& library, const CheckResult& result, toidfile& target,
                         bool fixGetnext = false);
