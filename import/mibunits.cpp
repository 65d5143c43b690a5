#include "import/mibunits.h"

#include <array>
#include <optional>
#include <string_view>

#include "import/unitwords.h"
#include "library/oiddata.h"
#include "mib/mibrecords.h"
#include "text/asciicase.h"
#include "text/windows1251case.h"

namespace {

constexpr int MaxHintDecimals = 9;
constexpr std::array<std::string_view, 6> PercentWords = {"percent",     "percentage", "%",
                                                          "utilization", "usage",      "load"};

// A unit and the words that say where it came from.
struct Reading {
    UnitWord unit;
    std::string reason;
};

// The first detail on the object's own syntax or its chain for which has holds.
template <typename Has>
const SyntaxDetail* FirstDetail(const tmibentry& symbol, const std::vector<const tasntype*>& chain, Has has) {
    if (has(symbol.Syntax)) return &symbol.Syntax;
    for (const tasntype* type : chain)
        if (has(type->Detail)) return &type->Detail;
    return nullptr;
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

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// word in text, any letter case, not inside a longer word: "CPU load" holds load, "payload" not.
bool HoldsWord(std::string_view text, std::string_view word) {
    for (std::size_t at = windows1251case::FindIgnoringCase(text, word); at != std::string_view::npos;
         at = windows1251case::FindIgnoringCase(text, word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || !IsLetter(text[at - 1])) && (end == text.size() || !IsLetter(text[end]))) return true;
    }
    return false;
}

// Rules 2 to 4: the UNITS clause, the base type, a percent range.
std::optional<Reading> UnitFromSyntax(const tmibentry& symbol, const std::vector<const tasntype*>& chain,
                                      bool counter, const std::string& description) {
    const std::string written = symbol.ClauseValue("UNITS");
    if (!written.empty()) {
        const std::string reason = "UNITS \"" + written + "\"";
        if (std::optional<UnitWord> unit = FindUnitWord(written)) return Reading{*unit, reason};
        return Reading{{TUnitType::sutCustom, written, {}}, reason};
    }
    const SyntaxDetail* base =
        FirstDetail(symbol, chain, [](const SyntaxDetail& d) { return !d.integerType.empty(); });
    if (base && asciicase::EqualsIgnoringCase(base->integerType, "TimeTicks"))
        return Reading{{TUnitType::sutCustom, "seconds", {1, 100}}, "TimeTicks"};
    for (const char* end : {"Octets", "Bytes"})
        if (counter && EndsWith(symbol.Name, end))
            return Reading{{TUnitType::sutBytes, "bytes", {}}, std::string("a counter of ") + end};
    if (const std::string counted = counter ? CountedThing(symbol.Name) : ""; !counted.empty())
        return Reading{{TUnitType::sutCustom, counted, {}}, "a counter of " + counted};
    const SyntaxDetail* range = FirstDetail(symbol, chain, [](const SyntaxDetail& d) { return d.hasRange; });
    if (range && range->rangeLow == 0 && range->rangeHigh == 100) {
        for (std::string_view word : PercentWords) {
            if (windows1251case::FindIgnoringCase(symbol.Name, word) != std::string::npos ||
                HoldsWord(description, word))
                return Reading{{TUnitType::sutPercent, "%", {}},
                               "range 0..100 and \"" + std::string(word) + "\""};
        }
    }
    std::string words;
    if (std::optional<UnitWord> unit = FindUnitInText(description, words))
        return Reading{*unit, "DESCRIPTION \"in " + words + "\""};
    if (std::optional<UnitWord> unit = FindCountInText(description, words))
        return Reading{*unit, "DESCRIPTION \"" + words + "\""};
    return std::nullopt;
}

// The first convention on the chain named after its unit: Voltage is "V".
std::optional<Reading> UnitFromConventionName(const std::vector<const tasntype*>& chain) {
    for (const tasntype* type : chain)
        if (std::optional<UnitWord> unit = FindConventionUnit(type->Name)) return Reading{*unit, ""};
    return std::nullopt;
}

// Rule 5: what the identifier's keywords put into entry.
Reading UnitFromKeywords(const Toiddata& entry) {
    const std::int64_t scale = std::stoll(entry.scale);
    const UnitFactor factor = entry.multiply ? UnitFactor{scale, 1} : UnitFactor{1, scale};
    return {{entry.unittype, entry.units, factor}, entry.units == "#" ? "no unit in the MIB" : "identifier"};
}

std::string FactorText(const UnitFactor& factor) {
    if (factor.divisor == 1 && factor.multiplier == 1) return "";
    if (factor.divisor == 1) return " x " + std::to_string(factor.multiplier);
    return " / " + std::to_string(factor.divisor);
}

}  // namespace

bool IsCounterBasedGauge(const std::vector<const tasntype*>& chain) {
    for (const tasntype* type : chain)
        if (type->Name == "CounterBasedGauge64") return true;
    return false;
}

std::string ReadUnitsFromMib(const tmibentry& symbol, const std::vector<const tasntype*>& chain, bool counter,
                             Toiddata& entry) {
    std::optional<Reading> reading = UnitFromSyntax(symbol, chain, counter, entry.description);
    for (const tasntype* type : chain) {
        const int decimals = HintDecimals(type->DisplayHint);
        if (decimals == 0) continue;
        if (!reading) reading = UnitFromConventionName(chain);
        if (!reading) reading = UnitFromKeywords(entry);
        std::int64_t divisor = 1;
        for (int i = 0; i < decimals; ++i) divisor *= 10;
        reading->unit.factor = Combine(reading->unit.factor, {1, divisor});
        const std::string hint = "DISPLAY-HINT \"" + type->DisplayHint + "\" of " + type->Name;
        reading->reason = reading->reason.empty() ? hint : hint + ", " + reading->reason;
        break;
    }
    if (!reading) reading = UnitFromKeywords(entry);

    UnitFactor& factor = reading->unit.factor;
    if (factor.multiplier > 1 && factor.divisor > 1) {
        reading->reason += " (no whole scale)";
        factor = {};
    }
    entry.unittype = reading->unit.unittype;
    entry.units = reading->unit.units;
    entry.multiply = factor.multiplier > 1;
    entry.scale = std::to_string(entry.multiply ? factor.multiplier : factor.divisor);
    entry.max = entry.unittype == TUnitType::sutPercent ? 100 : 0;
    return reading->reason + " -> " + entry.units + FactorText(factor);
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
