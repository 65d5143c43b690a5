#pragma once
// The words the unit rules of import/unitwords.cpp know, as data: the spellings of UNITS clauses,
// the textual conventions named after what they measure, the plural words that end counter
// names, and the fractions a unit phrase may begin with. Every table takes its length from its rows.

#include <array>
#include <cstdint>
#include <string_view>

#include "library/oiddata.h"

namespace unittables {

inline constexpr TUnitType Bytes = TUnitType::sutBytes;
inline constexpr TUnitType Percent = TUnitType::sutPercent;
inline constexpr TUnitType Custom = TUnitType::sutCustom;
// Byte 0xB0 is the degree sign in Windows-1251, the code page of the library's texts, as it is in
// the ISO8859-1 that the file's declaration names.
inline constexpr const char* Celsius =
    "\xB0"
    "C";

struct UnitRow {
    std::string_view key;  // lower case, no blanks or hyphens, "/" as "per", mostly singular
    TUnitType unittype;
    const char* units;
    std::int64_t multiplier, divisor;
};

// Spellings seen in the UNITS clauses of real MIBs. A key is tried as written, then without one
// trailing "s" (so "octets" finds "octet" and "bps" stays whole).
inline constexpr std::array UnitTable = {
    UnitRow{"octet", Bytes, "bytes", 1, 1},
    UnitRow{"byte", Bytes, "bytes", 1, 1},
    UnitRow{"kb", Bytes, "bytes", 1024, 1},
    UnitRow{"kbyte", Bytes, "bytes", 1024, 1},
    UnitRow{"kilobyte", Bytes, "bytes", 1024, 1},
    UnitRow{"kilooctet", Bytes, "bytes", 1024, 1},
    UnitRow{"mb", Bytes, "bytes", 1048576, 1},
    UnitRow{"mbyte", Bytes, "bytes", 1048576, 1},
    UnitRow{"megabyte", Bytes, "bytes", 1048576, 1},
    UnitRow{"gb", Bytes, "bytes", 1073741824, 1},
    UnitRow{"gbyte", Bytes, "bytes", 1073741824, 1},
    UnitRow{"gigabyte", Bytes, "bytes", 1073741824, 1},
    UnitRow{"bytespersecond", Custom, "bytes/second", 1, 1},
    UnitRow{"octetspersecond", Custom, "bytes/second", 1, 1},
    UnitRow{"kilobytespersecond", Custom, "bytes/second", 1024, 1},
    UnitRow{"kbytespersecond", Custom, "bytes/second", 1024, 1},
    UnitRow{"bit", Custom, "bits", 1, 1},
    UnitRow{"bps", Custom, "bits/second", 1, 1},
    UnitRow{"bitspersecond", Custom, "bits/second", 1, 1},
    UnitRow{"bitpersecond", Custom, "bits/second", 1, 1},
    UnitRow{"bitspers", Custom, "bits/second", 1, 1},
    UnitRow{"kbps", Custom, "bits/second", 1000, 1},
    UnitRow{"kbitspersecond", Custom, "bits/second", 1000, 1},
    UnitRow{"kbitspers", Custom, "bits/second", 1000, 1},
    UnitRow{"kilobitspersecond", Custom, "bits/second", 1000, 1},
    UnitRow{"mbps", Custom, "bits/second", 1000000, 1},
    UnitRow{"mbitspersecond", Custom, "bits/second", 1000000, 1},
    UnitRow{"mbitspers", Custom, "bits/second", 1000000, 1},
    UnitRow{"megabitspersecond", Custom, "bits/second", 1000000, 1},
    UnitRow{"gbps", Custom, "bits/second", 1000000000, 1},
    UnitRow{"gigabitspersecond", Custom, "bits/second", 1000000000, 1},
    UnitRow{"percent", Percent, "%", 1, 1},
    UnitRow{"percentage", Percent, "%", 1, 1},
    UnitRow{"%", Percent, "%", 1, 1},
    UnitRow{"pct", Percent, "%", 1, 1},
    UnitRow{"millipercent", Percent, "%", 1, 1000},
    UnitRow{"micropercent", Percent, "%", 1, 1000000},
    UnitRow{"second", Custom, "seconds", 1, 1},
    UnitRow{"sec", Custom, "seconds", 1, 1},
    UnitRow{"s", Custom, "seconds", 1, 1},
    UnitRow{"decisecond", Custom, "seconds", 1, 10},
    UnitRow{"centisecond", Custom, "seconds", 1, 100},
    UnitRow{"millisecond", Custom, "seconds", 1, 1000},
    UnitRow{"millisec", Custom, "seconds", 1, 1000},
    UnitRow{"msec", Custom, "seconds", 1, 1000},
    UnitRow{"ms", Custom, "seconds", 1, 1000},
    UnitRow{"microsecond", Custom, "seconds", 1, 1000000},
    UnitRow{"usec", Custom, "seconds", 1, 1000000},
    UnitRow{"nanosecond", Custom, "seconds", 1, 1000000000},
    UnitRow{"nsec", Custom, "seconds", 1, 1000000000},
    UnitRow{"ns", Custom, "seconds", 1, 1000000000},
    UnitRow{"timetick", Custom, "seconds", 1, 100},
    UnitRow{"minute", Custom, "minutes", 1, 1},
    UnitRow{"hour", Custom, "hours", 1, 1},
    UnitRow{"day", Custom, "days", 1, 1},
    UnitRow{"degreecelsius", Custom, Celsius, 1, 1},
    UnitRow{"degreescelsius", Custom, Celsius, 1, 1},
    UnitRow{"celsius", Custom, Celsius, 1, 1},
    UnitRow{"c", Custom, Celsius, 1, 1},
    UnitRow{"degc", Custom, Celsius, 1, 1},
    UnitRow{"\xB0"
            "c",
            Custom, Celsius, 1, 1},
    UnitRow{"millidegreecelsius", Custom, Celsius, 1, 1000},
    UnitRow{"millidegreescelsius", Custom, Celsius, 1, 1000},
    UnitRow{"volt", Custom, "V", 1, 1},
    UnitRow{"v", Custom, "V", 1, 1},
    UnitRow{"vdc", Custom, "V", 1, 1},
    UnitRow{"millivolt", Custom, "V", 1, 1000},
    UnitRow{"mv", Custom, "V", 1, 1000},
    UnitRow{"watt", Custom, "W", 1, 1},
    UnitRow{"w", Custom, "W", 1, 1},
    UnitRow{"milliwatt", Custom, "W", 1, 1000},
    UnitRow{"mw", Custom, "W", 1, 1000},
    UnitRow{"kilowatt", Custom, "W", 1000, 1},
    UnitRow{"kw", Custom, "W", 1000, 1},
    UnitRow{"ampere", Custom, "A", 1, 1},
    UnitRow{"amp", Custom, "A", 1, 1},
    UnitRow{"a", Custom, "A", 1, 1},
    UnitRow{"milliampere", Custom, "A", 1, 1000},
    UnitRow{"milliamp", Custom, "A", 1, 1000},
    UnitRow{"ma", Custom, "A", 1, 1000},
    UnitRow{"dbm", Custom, "dBm", 1, 1},
    UnitRow{"db", Custom, "dB", 1, 1},
    UnitRow{"decibel", Custom, "dB", 1, 1},
    UnitRow{"rpm", Custom, "RPM", 1, 1},
    UnitRow{"revolutionsperminute", Custom, "RPM", 1, 1},
    UnitRow{"hz", Custom, "Hz", 1, 1},
    UnitRow{"hertz", Custom, "Hz", 1, 1},
    UnitRow{"khz", Custom, "Hz", 1000, 1},
    UnitRow{"mhz", Custom, "Hz", 1000000, 1},
};

// Textual conventions named after what they measure.
inline constexpr std::array ConventionTable = {
    UnitRow{"voltage", Custom, "V", 1, 1},    UnitRow{"temperature", Custom, Celsius, 1, 1},
    UnitRow{"power", Custom, "W", 1, 1},      UnitRow{"current", Custom, "A", 1, 1},
    UnitRow{"frequency", Custom, "Hz", 1, 1}, UnitRow{"percent", Percent, "%", 1, 1},
};

// Conventions of standard modules whose values are always in one unit, named in their own words.
struct StandardConvention {
    std::string_view module, name;
    TUnitType unittype;
    const char* units;
    std::int64_t multiplier, divisor;
};

inline constexpr std::array StandardConventions = {
    // "A period of time, measured in units of 0.01 seconds."
    StandardConvention{"SNMPv2-TC", "TimeInterval", Custom, "seconds", 1, 100},
    // "a STP timer in units of 1/100 seconds"
    StandardConvention{"BRIDGE-MIB", "Timeout", Custom, "seconds", 1, 100},
    // "Storage size, expressed in units of 1024 bytes."
    StandardConvention{"HOST-RESOURCES-MIB", "KBytes", Bytes, "bytes", 1024, 1},
    // "This data type specifies 1 nanosecond units", "... 1 millisecond units"
    StandardConvention{"FDDI-SMT73-MIB", "FddiTimeNano", Custom, "seconds", 1, 1000000000},
    StandardConvention{"FDDI-SMT73-MIB", "FddiTimeMilli", Custom, "seconds", 1, 1000},
};

// A plural word that ends the identifiers of counters, and what the entry calls it.
struct CountedWord {
    std::string_view word;  // lower case
    std::string_view called;
};

inline constexpr auto CountedWords = std::to_array<CountedWord>({
    {"pkts", "packets"},
    {"packets", "packets"},
    {"errors", "errors"},
    {"errs", "errors"},
    {"frames", "frames"},
    {"requests", "requests"},
    {"reqs", "requests"},
    {"calls", "calls"},
    {"discards", "discards"},
    {"cells", "cells"},
    {"responses", "responses"},
    {"events", "events"},
    {"fails", "failures"},
    {"failures", "failures"},
    {"replies", "replies"},
    {"msgs", "messages"},
    {"messages", "messages"},
    {"drops", "drops"},
    {"timeouts", "timeouts"},
    {"collisions", "collisions"},
    {"colls", "collisions"},
    {"datagrams", "datagrams"},
    {"attempts", "attempts"},
    {"resets", "resets"},
    {"hits", "hits"},
    {"misses", "misses"},
    {"updates", "updates"},
    {"queries", "queries"},
    {"bpdus", "BPDUs"},
    {"pdus", "PDUs"},
    {"acks", "acks"},
    {"violations", "violations"},
    {"transitions", "transitions"},
    {"rejects", "rejects"},
    {"retries", "retries"},
    {"retransmits", "retransmits"},
    {"sessions", "sessions"},
    {"connections", "connections"},
    {"lookups", "lookups"},
    {"changes", "changes"},
    {"routes", "routes"},
    {"successes", "successes"},
    {"mismatches", "mismatches"},
    {"redirects", "redirects"},
    {"entries", "entries"},
    {"blocks", "blocks"},
    {"pages", "pages"},
    {"sheets", "sheets"},
    {"jobs", "jobs"},
    {"users", "users"},
    {"hosts", "hosts"},
    {"peers", "peers"},
    {"neighbors", "neighbors"},
    {"addresses", "addresses"},
    {"interfaces", "interfaces"},
    {"ports", "ports"},
    {"tunnels", "tunnels"},
    {"flows", "flows"},
    {"bits", "bits"},
    {"overflows", "overflows"},
    {"underflows", "underflows"},
    {"records", "records"},
    {"registrations", "registrations"},
    {"deregistrations", "deregistrations"},
    {"hops", "hops"},
    {"buffers", "buffers"},
    {"segments", "segments"},
    {"fragments", "fragments"},
    {"characters", "characters"},
    {"instances", "instances"},
    {"documents", "documents"},
    {"operations", "operations"},
    {"processes", "processes"},
    {"circuits", "circuits"},
    {"channels", "channels"},
    {"subscribers", "subscribers"},
    {"files", "files"},
    {"alarms", "alarms"},
    {"traps", "traps"},
    {"notifications", "notifications"},
    {"advertisements", "advertisements"},
    {"retransmissions", "retransmissions"},
    {"acknowledgements", "acknowledgements"},
    {"allocations", "allocations"},
    {"threads", "threads"},
    {"nodes", "nodes"},
    {"stations", "stations"},
    {"paths", "paths"},
});

struct LeadingFactor {
    std::string_view word;
    std::int64_t divisor;
};
inline constexpr std::array LeadingFactors = {
    LeadingFactor{"tenth", 10},        LeadingFactor{"tenths", 10},        LeadingFactor{"0.1", 10},
    LeadingFactor{"hundredth", 100},   LeadingFactor{"hundredths", 100},   LeadingFactor{"0.01", 100},
    LeadingFactor{"thousandth", 1000}, LeadingFactor{"thousandths", 1000}, LeadingFactor{"0.001", 1000},
};

// A key as the rules look it up: lower case, without the blanks, hyphens and underscores that
// split words, with "/" written as "per". A row that breaks this would never be found.
constexpr bool IsLookupKey(std::string_view key) {
    if (key.empty()) return false;
    for (const char c : key)
        if ((c >= 'A' && c <= 'Z') || c == ' ' || c == '\t' || c == '-' || c == '_' || c == '/') return false;
    return true;
}

template <typename Rows, typename Row>
constexpr bool AllLookupKeys(const Rows& rows, std::string_view Row::*key) {
    for (const Row& row : rows)
        if (!IsLookupKey(row.*key)) return false;
    return true;
}

static_assert(AllLookupKeys(UnitTable, &UnitRow::key));
static_assert(AllLookupKeys(ConventionTable, &UnitRow::key));
static_assert(AllLookupKeys(CountedWords, &CountedWord::word));
static_assert(AllLookupKeys(LeadingFactors, &LeadingFactor::word));

}  // namespace unittables
