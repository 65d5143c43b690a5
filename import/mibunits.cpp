#include "import/mibunits.h"

#include <array>
#include <optional>
#include <string_view>

#include "import/sentences.h"
#include "import/unitphrases.h"
#include "import/unitrefusals.h"
#include "import/unitwords.h"
#include "library/oiddata.h"
#include "mib/mibfile.h"
#include "mib/mibrecords.h"
#include "text/asciicase.h"
#include "text/windows1251case.h"

namespace {

constexpr int MaxHintDecimals = 9;
constexpr std::array<std::string_view, 6> PercentWords = {"percent",     "percentage", "%",
                                                          "utilization", "usage",      "load"};
// Camel-case words of an identifier that say a counter counts time.
constexpr std::array<std::string_view, 18> TimeWords = {
    "time", "times",  "sec",   "secs", "seconds", "duration", "latency", "delay",   "uptime",
    "age",  "period", "ticks", "msec", "msecs",   "hours",    "minutes", "elapsed", "interval"};
// Words of a description's first sentence that say the same.
constexpr std::array<std::string_view, 9> TimePhrases = {"amount of time", "the time", "time in",
                                                         "time spent",     "duration", "latency",
                                                         "delay",          "elapsed",  "interval"};
// Camel-case words before a counted thing that make the counter one of something else:
// udpNoPorts counts datagrams for no port.
constexpr std::array<std::string_view, 6> Negations = {"No", "Bad", "Unknown", "Invalid", "Wrong", "Unk"};

// A unit and the words that say where it came from.
struct Reading {
    UnitWord unit;
    std::string reason;
    bool scalable = false;  // from the description or from nothing: "multiplied by 100" may scale it
};

// The first sentence and the later ones that state the value.
std::vector<std::string_view> SentencesStatingTheValue(std::string_view description) {
    std::vector<std::string_view> sentences = Sentences(description);
    for (std::size_t i = sentences.size(); i-- > 1;)
        if (!StatesItsValue(sentences[i]))
            sentences.erase(sentences.begin() + static_cast<std::ptrdiff_t>(i));
    return sentences;
}

// What the rules read of one object.
struct ObjectText {
    const tmibfile& mib;
    const tmibentry& symbol;
    const std::vector<const tasntype*>& chain;
    bool counter;
    std::string_view description;

    // Its first sentence, and the sentences that state its value, found only when a rule
    // asks: most objects are decided before.
    std::string_view First() const {
        if (!firstCache) firstCache = FirstSentence(description);
        return *firstCache;
    }
    const std::vector<std::string_view>& OwnSentences() const {
        if (!ownSentencesCache) ownSentencesCache = SentencesStatingTheValue(description);
        return *ownSentencesCache;
    }
    mutable std::optional<std::string_view> firstCache = {};
    mutable std::optional<std::vector<std::string_view>> ownSentencesCache = {};
};

// The first detail on the object's own syntax or its chain for which has holds.
template <typename Has>
const SyntaxDetail* FirstDetail(const tmibentry& symbol, const std::vector<const tasntype*>& chain, Has has) {
    if (has(symbol.Syntax)) return &symbol.Syntax;
    for (const tasntype* type : chain)
        if (has(type->Detail)) return &type->Detail;
    return nullptr;
}

const SyntaxDetail* BaseDetail(const ObjectText& object) {
    return FirstDetail(object.symbol, object.chain,
                       [](const SyntaxDetail& d) { return !d.integerType.empty(); });
}

const SyntaxDetail* RangeDetail(const ObjectText& object) {
    return FirstDetail(object.symbol, object.chain, [](const SyntaxDetail& d) { return d.hasRange; });
}

// N of a hint "d-N" (1 to 9); 0 for any other hint.
int HintDecimals(const std::string& hint) {
    if (hint.size() < 3 || hint.size() > 4 || hint[0] != 'd' || hint[1] != '-') return 0;
    int decimals = 0;
    for (std::size_t i = 2; i < hint.size(); ++i) {
        if (hint[i] < '0' || hint[i] > '9') return 0;
        decimals = decimals * 10 + (hint[i] - '0');
    }
    return decimals <= MaxHintDecimals ? decimals : 0;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsTimeUnit(const UnitWord& unit) {
    return unit.units == "seconds" || unit.units == "minutes" || unit.units == "hours" ||
           unit.units == "days";
}

// "ifInOctets" -> "if", "In", "Octets"; digits end a word ("cpu5sec" -> "cpu", "5sec").
std::vector<std::string_view> CamelWords(std::string_view identifier) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    for (std::size_t i = 1; i <= identifier.size(); ++i) {
        const bool end = i == identifier.size() || (identifier[i] >= 'A' && identifier[i] <= 'Z') ||
                         (identifier[i] >= '0' && identifier[i] <= '9' && identifier[i - 1] > '9');
        if (!end) continue;
        words.push_back(identifier.substr(start, i - start));
        start = i;
    }
    return words;
}

// Whether a counter counts time, so that a time unit fits it: errored seconds, a latency total.
bool CountsTime(const ObjectText& object) {
    for (const std::string_view word : CamelWords(object.symbol.Name))
        for (const std::string_view time : TimeWords)
            if (asciicase::EqualsIgnoringCase(word, time)) return true;
    for (const std::string_view phrase : TimePhrases)
        if (HoldsWord(object.First(), phrase)) return true;
    return false;
}

std::optional<Reading> CountFromDescription(const ObjectText& object) {
    std::string words;
    if (std::optional<UnitWord> unit = FindCountInText(object.First(), words))
        return Reading{*unit, "DESCRIPTION \"" + words + "\""};
    return std::nullopt;
}

// Rule 2: the UNITS clause. One that names no unit ("100", "ifIndex") yields to what the
// description counts, and leaves a note either way.
std::optional<Reading> UnitFromClause(const ObjectText& object, std::vector<std::string>& notes) {
    const std::string written = object.symbol.ClauseValue("UNITS");
    if (written.empty()) return std::nullopt;
    const std::string reason = "UNITS \"" + written + "\"";
    if (std::optional<UnitWord> unit = FindUnitWord(written)) return Reading{*unit, reason};
    // "100", "none", or the name of an object or type ("ifIndex").
    if (NamesNoUnit(written) || object.mib.EntryIndex(written, object.symbol.Module) >= 0 ||
        object.mib.TypeIndex(written, object.symbol.Module) >= 0) {
        notes.push_back(reason + " names no unit");
        return std::nullopt;
    }
    if (std::optional<UnitWord> unit = FindScaledWords(written)) return Reading{*unit, reason};
    return Reading{{TUnitType::sutCustom, written, {}}, reason};
}

// Rule 3: a convention of a standard module that is always in one unit; TimeTicks are
// hundredths of a second.
std::optional<Reading> UnitFromBaseType(const ObjectText& object) {
    for (const tasntype* type : object.chain) {
        const auto definedIn = [&](std::string_view module) {
            return type->Module == object.mib.ModuleScope(std::string(module));
        };
        if (std::optional<UnitWord> unit = FindStandardConventionUnit(type->Name, definedIn))
            return Reading{*unit, "the convention " + type->Name};
    }
    const SyntaxDetail* base = BaseDetail(object);
    if (base && asciicase::EqualsIgnoringCase(base->integerType, "TimeTicks"))
        return Reading{{TUnitType::sutCustom, "seconds", {1, 100}}, "TimeTicks"};
    return std::nullopt;
}

// Rule 3: what a counter's identifier counts. A counted thing ("ports", "addresses") yields to
// what the description counts, and counts nothing after "No" or "Bad".
std::optional<Reading> UnitFromCounterName(const ObjectText& object, std::vector<std::string>& notes) {
    if (!object.counter) return std::nullopt;
    const std::string& name = object.symbol.Name;
    for (const char* end : {"Octets", "Bytes"})
        if (EndsWith(name, end))
            return Reading{{TUnitType::sutBytes, "bytes", {}}, std::string("a counter of ") + end};
    const std::string counted = CountedThing(name);
    if (counted.empty()) return std::nullopt;
    const std::string reason = "a counter of " + counted;
    if (!YieldsToDescription(counted)) return Reading{{TUnitType::sutCustom, counted, {}}, reason};
    if (std::optional<Reading> described = CountFromDescription(object);
        described && described->unit.units != counted) {
        notes.push_back(reason + " yields to its description");
        return described;
    }
    const std::string_view before = WordBeforeCountedThing(name);
    for (const std::string_view negation : Negations) {
        if (before == negation) {
            notes.push_back("a counter of " + std::string(before) + " " + counted + " counts no " + counted);
            return std::nullopt;
        }
    }
    return Reading{{TUnitType::sutCustom, counted, {}}, reason};
}

// Rule 4: a range of exactly 0..100 with a percent word in the identifier or description.
std::optional<Reading> UnitFromPercentRange(const ObjectText& object) {
    const SyntaxDetail* range = RangeDetail(object);
    if (!range || range->rangeLow != 0 || range->rangeHigh != 100) return std::nullopt;
    for (std::string_view word : PercentWords) {
        if (windows1251case::FindIgnoringCase(object.symbol.Name, word) != std::string::npos ||
            HoldsWord(object.description, word))
            return Reading{{TUnitType::sutPercent, "%", {}},
                           "range 0..100 and \"" + std::string(word) + "\""};
    }
    return std::nullopt;
}

// Rule 4: a phrase of a sentence that states the object's value ("in seconds", "(kBytes)"), a
// percentage its first sentence speaks of, or what that sentence counts. A counter takes a time
// unit only when it counts time.
std::optional<Reading> UnitFromDescription(const ObjectText& object, std::vector<std::string>& notes) {
    std::optional<Reading> found;
    for (const std::string_view sentence : object.OwnSentences()) {
        std::string words;
        if (std::optional<UnitWord> unit = FindUnitInText(sentence, words))
            found = Reading{*unit, "DESCRIPTION \"in " + words + "\"", true};
        else if (std::optional<UnitWord> unit = FindUnitInParentheses(sentence, words))
            found = Reading{*unit, "DESCRIPTION \"" + words + "\"", true};
        if (found) break;
    }
    if (found && object.counter && IsTimeUnit(found->unit) && !CountsTime(object)) {
        notes.push_back(found->reason + " is no time a counter counts");
        found.reset();
    }
    if (found) return found;
    const SyntaxDetail* range = RangeDetail(object);
    std::string words;
    if (!object.counter && (!range || range->rangeHigh <= 100) && SpeaksOfPercent(object.First(), words))
        return Reading{{TUnitType::sutPercent, "%", {}}, "DESCRIPTION \"" + words + "\"", true};
    if (std::optional<Reading> counted = CountFromDescription(object)) {
        counted->scalable = true;
        return counted;
    }
    if (std::optional<UnitWord> unit = FindCountInName(object.First(), words))
        return Reading{*unit, "DESCRIPTION \"" + words + "\"", true};
    return std::nullopt;
}

// Rules 2 to 4 in their order.
std::optional<Reading> UnitFromSyntax(const ObjectText& object, std::vector<std::string>& notes) {
    if (std::optional<Reading> reading = UnitFromClause(object, notes)) return reading;
    if (std::optional<Reading> reading = UnitFromBaseType(object)) return reading;
    if (std::optional<Reading> reading = UnitFromCounterName(object, notes)) return reading;
    if (std::optional<Reading> reading = UnitFromPercentRange(object)) return reading;
    return UnitFromDescription(object, notes);
}

ObjectText ReadObject(const tmibfile& mib, const tmibentry& symbol, const std::vector<const tasntype*>& chain,
                      bool counter, std::string_view description) {
    return {mib, symbol, chain, counter, description};
}

// A whole value whose low and high halves are objects of their own takes their unit: dskAvail
// is in the kBytes that dskAvailLow states.
std::optional<Reading> UnitOfHalves(const tmibfile& mib, const tmibentry& symbol) {
    const std::vector<const tmibentry*> halves = HalvesOf(mib, symbol);
    if (halves.empty()) return std::nullopt;
    const std::string description = halves[0]->ClauseValue("DESCRIPTION");
    const std::vector<const tasntype*> chain = mib.SyntaxChain(*halves[0]);
    std::vector<std::string> ignored;
    std::optional<Reading> reading =
        UnitFromSyntax(ReadObject(mib, *halves[0], chain, false, description), ignored);
    if (reading)
        reading->reason =
            "as its halves " + halves[0]->Name + ", " + halves[1]->Name + ": " + reading->reason;
    return reading;
}

// The first convention on the chain named after its unit: Voltage is "V".
std::optional<Reading> UnitFromConventionName(const std::vector<const tasntype*>& chain) {
    for (const tasntype* type : chain)
        if (std::optional<UnitWord> unit = FindConventionUnit(type->Name)) return Reading{*unit, ""};
    return std::nullopt;
}

// Rule 5: what the identifier's keywords put into entry; "length" names no unit.
Reading UnitFromKeywords(const Toiddata& entry) {
    const std::int64_t scale = std::stoll(entry.scale);
    const UnitFactor factor = entry.multiply ? UnitFactor{scale, 1} : UnitFactor{1, scale};
    if (entry.units.starts_with("length"))
        return {{TUnitType::sutCustom, "#", {}}, "identifier \"Length\" names no unit", true};
    return {{entry.unittype, entry.units, factor},
            entry.units == "#" ? "no unit in the MIB" : "identifier",
            entry.units == "#"};
}

// Why the object takes no unit at all, or "".
std::string Unmeasured(const tmibfile& mib, const ObjectText& object) {
    if (FirstDetail(object.symbol, object.chain,
                    [](const SyntaxDetail& d) { return !d.namedNumbers.empty(); }))
        return "an enumeration measures nothing";
    const SyntaxDetail* base = BaseDetail(object);
    const bool timeTicks = base && asciicase::EqualsIgnoringCase(base->integerType, "TimeTicks");
    if (const std::string point = PointInTime(object.chain, timeTicks, object.description); !point.empty())
        return point + ": a point in time, not a duration";
    if (const std::string half =
            HalfOfWiderValue(mib, object.symbol, object.chain, object.counter, object.description);
        !half.empty())
        return half + ": half of a wider value";
    return "";
}

std::string FactorText(const UnitFactor& factor) {
    if (factor.divisor == 1 && factor.multiplier == 1) return "";
    if (factor.divisor == 1) return " x " + std::to_string(factor.multiplier);
    return " / " + std::to_string(factor.divisor);
}

// The reading of rules 1 to 5, or the reason the object takes no unit.
Reading ReadUnit(const tmibfile& mib, const ObjectText& object, const Toiddata& entry) {
    if (const std::string reason = Unmeasured(mib, object); !reason.empty())
        return {{TUnitType::sutCustom, "#", {}}, reason};
    std::vector<std::string> notes;
    std::optional<Reading> reading = UnitFromSyntax(object, notes);
    for (const tasntype* type : object.chain) {
        const int decimals = HintDecimals(type->DisplayHint);
        if (decimals == 0) continue;
        if (!reading) reading = UnitFromConventionName(object.chain);
        if (!reading) reading = UnitFromKeywords(entry);
        std::int64_t divisor = 1;
        for (int i = 0; i < decimals; ++i) divisor *= 10;
        reading->unit.factor = Combine(reading->unit.factor, {1, divisor});
        const std::string hint = "DISPLAY-HINT \"" + type->DisplayHint + "\" of " + type->Name;
        reading->reason = reading->reason.empty() ? hint : hint + ", " + reading->reason;
        reading->scalable = false;
        break;
    }
    if (!reading) reading = UnitOfHalves(mib, object.symbol);
    if (!reading) reading = UnitFromKeywords(entry);
    // "asqDataBytesPerSec: Bytes read from the Data file" counts bytes per second.
    if (reading->scalable && reading->unit.units != "#" && reading->unit.unittype != TUnitType::sutPercent &&
        !reading->unit.units.ends_with("/second") && entry.units.ends_with("/second")) {
        reading->unit.units += "/second";
        reading->unit.unittype = TUnitType::sutCustom;
        reading->reason += ", identifier \"PerSec\"";
    }
    if (reading->scalable) {
        for (const std::string_view sentence : object.OwnSentences()) {
            std::string words;
            if (const std::optional<UnitFactor> scale = FindScaleInText(sentence, words)) {
                reading->unit.factor = Combine(reading->unit.factor, *scale);
                const std::string found = "DESCRIPTION \"" + words + "\"";
                reading->reason = reading->unit.units == "#" ? found : reading->reason + ", " + found;
                break;
            }
        }
    }
    for (auto note = notes.rbegin(); note != notes.rend(); ++note)
        reading->reason = *note + "; " + reading->reason;
    return *reading;
}

}  // namespace

bool IsCounterBasedGauge(const std::vector<const tasntype*>& chain) {
    for (const tasntype* type : chain)
        if (type->Name == "CounterBasedGauge64") return true;
    return false;
}

std::string ReadUnitsFromMib(const tmibfile& mib, const tmibentry& symbol,
                             const std::vector<const tasntype*>& chain, bool counter, Toiddata& entry) {
    Reading reading = ReadUnit(mib, ReadObject(mib, symbol, chain, counter, entry.description), entry);
    UnitFactor& factor = reading.unit.factor;
    if ((factor.multiplier > 1 && factor.divisor > 1) || factor.multiplier == 0) {
        reading.reason += " (no whole scale)";
        factor = {};
    }
    entry.unittype = reading.unit.unittype;
    entry.units = reading.unit.units;
    entry.multiply = factor.multiplier > 1;
    entry.scale = std::to_string(entry.multiply ? factor.multiplier : factor.divisor);
    entry.max = entry.unittype == TUnitType::sutPercent ? 100 : 0;
    return reading.reason + " -> " + entry.units + FactorText(factor);
}

std::string NamedValuesLine(const tmibentry& symbol, const std::vector<const tasntype*>& chain) {
    const SyntaxDetail* named =
        FirstDetail(symbol, chain, [](const SyntaxDetail& d) { return !d.namedNumbers.empty(); });
    if (named == nullptr) return "";
    std::string line = "Values: ";
    for (const auto& [name, number] : named->namedNumbers) {
        if (line.size() > 8) line += ", ";
        line += number + " = " + name;
    }
    return line + ".";
}
