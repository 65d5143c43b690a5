#pragma once
// Remarks that weigh an entry against others of its library or its rows against each other: a
// 32-bit counter whose 64-bit counterpart is answered too, table rows named by a column the
// device does not answer, and two rows that carry the same name.

#include <vector>

#include "check/deviceanswers.h"

class toidfile;
class Toiddata;
struct EntryCheck;

// The columns whose values name an entry's rows: each "#[1.3.6.1.2.1.2.2.1.1]" in its name.
std::vector<Oid> NamingColumns(const Toiddata& entry);

// Adds those remarks to checks, one per entry of library in order.
void AddLibraryRemarks(const toidfile& library, const DeviceAnswers& answers,
                       std::vector<EntryCheck>& checks);
