#pragma once
// The texts of a device check: the report the command prints and the log window shows,
// and the same as JSON for scripts.

#include <string>
#include <vector>

#include "check/devicecheck.h"

class toidfile;

// "312 of 350 entries answered"
std::string CheckSummary(const CheckResult& result);

// One line per entry, then the modules whose names could not be read, the capture's unread
// lines and the summary:
//   "answered      1.3.6.1.2.1.2.2.1.10  IF-MIB|ifEntry|In Octets  (4 rows)  Counter32 where the entry is a
//   gauge" "not answered  1.3.6.1.2.1.2.2.1.21  IF-MIB|ifEntry|Out Queue" "2 lines of the capture could not
//   be read: 7, 12" "312 of 350 entries answered"
std::vector<std::string> CheckReportLines(const toidfile& library, const CheckResult& result);

// {"source": ..., "answered": N, "entries": M, "skippedLineCount": K, "skippedLines": [[first, last], ...]
// (the first ranges, as the report lists them), "unreadModules": [...],
// "results": [{"name", "oid", "kind", "answered", "rows", "remarks"}]}; texts are quoted as
// QuoteForJson does: control characters escaped, a byte outside UTF-8 as the text \xNN.
std::string CheckReportJson(const toidfile& library, const CheckResult& result);
