#pragma once
// Guessing an entry's unit, scale and indicator from keywords in the identifier.

#include <string>

#include "import/displaynames.h"
#include "library/oiddata.h"

// Sets indicator, unittype, units, scale and multiply of entry from identifier:
// "ifInKBytesPerSec" -> units "bytes/second", scale 1024, multiply, indicator "if in".
void ApplyUnitRules(const DisplayNames& names, const std::string& identifier, Toiddata& entry);
