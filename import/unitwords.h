#pragma once
// The unit words of UNITS clauses and textual-convention names, read into entry units.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "library/oiddata.h"

// A value times multiplier / divisor is in units: "kB" is bytes x 1024 / 1, "millivolts" V x 1 / 1000.
struct UnitFactor {
    std::int64_t multiplier = 1;
    std::int64_t divisor = 1;
};

// A unit as the entry shows it.
struct UnitWord {
    TUnitType unittype = TUnitType::sutCustom;
    std::string units;  // "bytes", "%", "seconds", "\xB0" "C" (degrees Celsius in the library's code page)
    UnitFactor factor;
};

// The unit a UNITS text names, in any letter case, singular or plural, with blanks and hyphens
// anywhere and a leading "tenths of", "hundredths of a", "0.1" and the like:
// "KBytes" -> bytes x 1024, "hundredths of a second" -> seconds / 100. Empty for a text the
// table does not know.
std::optional<UnitWord> FindUnitWord(std::string_view written);

// The unit a description names in a phrase "in UNIT" or "in units of UNIT" (the first whose
// words the table knows, of at least two letters): "The size, in kilobytes, of" -> bytes x 1024.
// Returns the phrase's unit words in words.
std::optional<UnitWord> FindUnitInText(std::string_view text, std::string& words);

// What a description's first sentence counts in a phrase "number of [one or two words] NOUN" or
// "count of ...": "The total number of input IP datagrams received" -> "datagrams", "the number of
// seconds to wait" -> seconds. Returns the phrase in words.
std::optional<UnitWord> FindCountInText(std::string_view text, std::string& words);

// What a counter counts when its identifier ends in a counted word: "ifInErrors" -> "errors",
// "snmpInPkts" -> "packets"; empty otherwise.
std::string CountedThing(std::string_view identifier);

// The unit a textual convention's name is when it is a plain unit word: "Voltage" -> "V".
std::optional<UnitWord> FindConventionUnit(std::string_view name);

// The unit factor combined with a further one, reduced: { 1024, 1 } and { 1, 10 } give { 512, 5 }.
UnitFactor Combine(UnitFactor a, UnitFactor b);
