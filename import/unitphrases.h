#pragma once
// The units that phrases of a description name: "in seconds", "(kBytes)", "the number of
// packets", "multiplied by 100", "The percentage of CPU time".

#include <optional>
#include <string>
#include <string_view>

#include "import/unitwords.h"

// The unit a text names in a phrase "in UNIT" or "in units of UNIT" (the first whose words the
// table knows, of at least two letters): "The size, in kilobytes, of" -> bytes x 1024, "in units
// of 1,000,000 bits per second" -> bits/second x 1000000. A number after a plain "in" must be a
// fraction: "in 0.1 dB" is a unit, "received in 5 seconds" is not. Returns the phrase in words.
std::optional<UnitWord> FindUnitInText(std::string_view text, std::string& words);

// The unit a text names alone in parentheses: "Total size of the disk (kBytes)." -> bytes x 1024,
// "Fill level (%)" -> %; "(RAM)" names none, and neither does "packet(s)". Returns "(kBytes)".
std::optional<UnitWord> FindUnitInParentheses(std::string_view text, std::string& words);

// What the first sentence of text counts in a phrase "number of [one or two words] NOUN" or
// "count of ...": "The total number of input IP datagrams received" -> "datagrams", "the number of
// seconds to wait" -> seconds. "a number of" and a title such as "VRRP Number of" count nothing.
// Returns the phrase in words.
std::optional<UnitWord> FindCountInText(std::string_view text, std::string& words);

// What a first sentence that merely names the value counts: "Ingress packets", "Shunt bytes
// internal (dot1q)", "Rx-Bytes" -> bytes, "Packets refused by lowlevel filter" -> packets; a
// sentence of more than six words, or one that speaks of a rate, a size or a time ("Packets per
// second", "Queue size"), counts nothing here. Returns the sentence in words.
std::optional<UnitWord> FindCountInName(std::string_view sentence, std::string& words);

// The divisor a sentence gives when it says the value was multiplied: "the load average ...
// multiplying by 100, then converting" -> / 100. A value that "has to be multiplied by 100", or
// one multiplied by a unit ("multiplied by 16 ms"), gives none. Returns the phrase in words.
std::optional<UnitFactor> FindScaleInText(std::string_view sentence, std::string& words);

// Whether a sentence says its value is a percentage: "The percentage of CPU time spent ...",
// "Current utilization (percent) of ..."; not "the number of times the load exceeded 90 percent"
// nor "Sampling period of the percentage counters".
// Returns the word in words.
bool SpeaksOfPercent(std::string_view sentence, std::string& words);

// Whether word stands in text, in any letter case, not inside a longer word: "CPU load" holds
// "load", "payload" does not.
bool HoldsWord(std::string_view text, std::string_view word);
