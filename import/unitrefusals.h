#pragma once
// Objects that take no unit from any rule, though a rule would give one: a point in time is not
// a duration, and each unit of a high half counts 2^32 of the whole. Each says why, for the log.

#include <string>
#include <string_view>
#include <vector>

class tasntype;
class tmibentry;
class tmibfile;

// Why an object is a point in time rather than a duration, or "" when it is none: its syntax
// passes through a convention named ...TimeStamp; it is TimeTicks whose first sentence speaks of
// one ("The value of sysUpTime at which ...", "The time when ...", "Timestamp of the last ...");
// or a sentence counts "since" a date ("seconds since 00:00 UTC 1 January 1970", "since the epoch").
// "the convention TimeStamp", "TimeTicks \"value of sysUpTime\"", "DESCRIPTION \"since ... 1970\"".
// timeTicks: the value's base type is TimeTicks.
std::string PointInTime(const std::vector<const tasntype*>& chain, bool timeTicks,
                        std::string_view description);

// Why an object is a high or low half of a wider value, or "" when it is none: its description
// says so ("the high-order 32 bits of", "the lower 32 bits"), its convention is a half
// (Integer64High), or it ends in Hi, Lo, High or Low beside its partner and is a counter or
// speaks of 64 bits ("Together with dskTotalLow composes 64-bit number").
// "DESCRIPTION \"high-order 32 bits\"", "the convention Integer64High", "the pair dskTotalLow, dskTotalHigh".
std::string HalfOfWiderValue(const tmibfile& mib, const tmibentry& symbol,
                             const std::vector<const tasntype*>& chain, bool counter,
                             std::string_view description);

// The halves of a whole value: "dskAvail" -> dskAvailLow and dskAvailHigh where both exist (the
// low half first), else none.
std::vector<const tmibentry*> HalvesOf(const tmibfile& mib, const tmibentry& symbol);
