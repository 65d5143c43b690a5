#pragma once
// What a MIB says of an object's unit, scale and values, read into its library entry.

#include <string>
#include <vector>

class Toiddata;
class tasntype;
class tmibentry;
class tmibfile;

// True when a syntax chain passes through HCNUM-TC's CounterBasedGauge64: a gauge that only
// borrows Counter64's encoding.
bool IsCounterBasedGauge(const std::vector<const tasntype*>& chain);

// Sets unittype, units, scale, multiply and max of entry from the first rule that applies:
//   0. an enumeration, a point in time (see PointInTime) and half of a wider value (see
//      HalfOfWiderValue) take no unit from any rule;
//   1. a DISPLAY-HINT "d-N" on the syntax chain divides by 10^N (the unit from the rules below,
//      else from the convention's name, else from the identifier's keywords);
//   2. the UNITS clause through the unit word table (an unknown word is kept as written, with the
//      factor before or after it; one that names no unit, such as "100", yields to the rules below);
//   3. the base type: TimeTicks are seconds / 100, a counter of ...Octets or ...Bytes is bytes,
//      a counter of ...Pkts or ...Errors counts packets or errors (see CountedThing);
//   4. a range of exactly 0..100 with a percent word in the identifier or description, else a
//      phrase of a sentence that states the object's value, such as "in seconds" or "(kBytes)"
//      (see FindUnitInText), a percentage or what its first sentence counts;
//   5. the unit of its halves, when dskAvailLow and dskAvailHigh hold the halves of dskAvail;
//   6. the identifier's keywords, which entry already holds (see ApplyUnitRules); "Length"
//      names no unit.
// A description that says the value was "multiplied by 100" divides a unit of rules 4 to 6.
// Returns why, for the import log: "UNITS \"kB\" -> bytes x 1024"; a rule refused on the way is
// named before it: "a counter of ports yields to its description; DESCRIPTION \"number of
// datagrams\" -> datagrams".
std::string ReadUnitsFromMib(const tmibfile& mib, const tmibentry& symbol,
                             const std::vector<const tasntype*>& chain, bool counter, Toiddata& entry);

// "Values: 1 = up, 2 = down, 3 = testing." for an enumerated syntax (its own named numbers, else
// the first on its chain); empty when it has none.
std::string NamedValuesLine(const tmibentry& symbol, const std::vector<const tasntype*>& chain);
