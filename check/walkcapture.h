#pragma once
// Reads what net-snmp's `snmpwalk` and `snmpbulkwalk` print: one
// ".1.3.6.1.2.1.1.3.0 = Timeticks: (4711) 0:00:47.11" line per variable, where a quoted
// string may run over several lines and a Hex-STRING goes on in lines of hex bytes. OIDs are
// read as numbers (-On), from the top of the tree (default output without MIBs, -Of) and, given
// the names of MIB modules, as names ("IF-MIB::ifInOctets.1", -Of and -Os below the top).

#include <string>
#include <string_view>
#include <vector>

#include "check/deviceanswers.h"
#include "check/lineranges.h"
#include "library/oidnames.h"

// What a capture held: how many variables, and the lines that are no variable and no part of
// one, by 1-based line number.
struct CaptureReading {
    LineRanges skippedLines;
    std::string_view firstSkipped;  // the first of them, a view into the text read
    std::size_t variables = 0;
};

// Adds every variable of the text to answers; unreadable lines are skipped and listed, names
// among them when names is nullptr or does not know them. Blank lines between variables are ignored.
CaptureReading ReadWalkCapture(std::string_view text, DeviceAnswers& answers, OidNames* names = nullptr);

// The type that a value as printed stands for: "Counter32: 5" -> Counter32, "\"\"" -> OctetString,
// "No Such Object available on this agent at this OID" -> NoSuchObject; false for text that
// is no value net-snmp prints ("Timeout: No Response").
bool ReadPrintedType(std::string_view value, AnswerType& type);
