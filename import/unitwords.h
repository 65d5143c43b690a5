#pragma once
// The unit words of UNITS clauses, textual-convention names and counter identifiers, read into
// entry units.

#include <cstdint>
#include <functional>
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
// anywhere, a leading "tenths of", "hundredths of a", "0.1", "1,000,000" and the like and a
// trailing "times 100": "KBytes" -> bytes x 1024, "hundredths of a second" -> seconds / 100,
// "1,000,000 bits per second" -> bits/second x 1000000. Empty for a text the table does not know.
std::optional<UnitWord> FindUnitWord(std::string_view written);

// A text the table does not know, but with a factor before or after its words, kept as written:
// "hundredths of processes" -> "processes" / 100, "0.1 RMS Amp" -> "RMS Amp" / 10. Empty without
// a factor ("percentage times 100" is known: % / 100).
std::optional<UnitWord> FindScaledWords(std::string_view written);

// The factor a number stands for: "1,000,000" -> x 1000000, "0.01" -> / 100, "0.25" -> / 4;
// empty for a word that is no number or one of more than nine digits.
std::optional<UnitFactor> NumberFactor(std::string_view word);

// Whether a UNITS text names no unit at all: a number, "none", "count", "value" and the like;
// such a clause yields to the other rules.
bool NamesNoUnit(std::string_view written);

// Whether a word may begin a unit phrase of running text: some table key or leading factor
// begins with its letters, it is one with an "s" or punctuation after it ("seconds," with
// "second"), or it is a number ("1,000,000"). Most words after "in" fail at once.
bool MayStartUnit(std::string_view word);

// What the entry calls a counted plural noun ("pkts" -> "packets"); empty for another word.
std::string_view CountedNoun(std::string_view lowerWord);

// What a counter counts when its identifier ends in a counted word: "ifInErrors" -> "errors",
// "snmpInPkts" -> "packets", "rxOverFlows" -> "overflows"; empty otherwise, also after digits
// ("recvBytes64Bits" is a 64-bit counter, not one of bits).
std::string CountedThing(std::string_view identifier);

// The camel-case word before the counted word CountedThing finds: "udpNoPorts" -> "No".
std::string_view WordBeforeCountedThing(std::string_view identifier);

// Whether a counted noun of an identifier yields to what the description counts: one that names
// things rather than events ("ports", "addresses"), since a counter of ...NoPorts counts datagrams
// for no port, and the vague "events" ("the number of cells dropped").
bool YieldsToDescription(std::string_view called);

// The unit a textual convention's name is when it is a plain unit word: "Voltage" -> "V".
std::optional<UnitWord> FindConventionUnit(std::string_view name);

// The unit of a convention of a standard module that is always in one unit: SNMPv2-TC's
// TimeInterval is seconds / 100. definedIn tells whether the convention of that name is the one
// of a module (a vendor's own Timeout is not BRIDGE-MIB's).
std::optional<UnitWord> FindStandardConventionUnit(
    std::string_view name, const std::function<bool(std::string_view module)>& definedIn);

// The unit factor combined with a further one, reduced: { 1024, 1 } and { 1, 10 } give { 512, 5 }.
UnitFactor Combine(UnitFactor a, UnitFactor b);
