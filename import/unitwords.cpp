#include "import/unitwords.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "import/unittables.h"
#include "text/asciicase.h"

namespace {

// The tables by key, built once: the rules look up most words of most descriptions.
using RowIndex = std::unordered_map<std::string_view, const unittables::UnitRow*>;

template <typename Table>
RowIndex IndexRows(const Table& table) {
    RowIndex rows;
    for (const unittables::UnitRow& row : table) rows.try_emplace(row.key, &row);  // first row of a key wins
    return rows;
}

const RowIndex& UnitRows() {
    static const RowIndex rows = IndexRows(unittables::UnitTable);
    return rows;
}

const RowIndex& ConventionRows() {
    static const RowIndex rows = IndexRows(unittables::ConventionTable);
    return rows;
}

const std::unordered_map<std::string_view, std::string_view>& CountedNouns() {
    static const std::unordered_map<std::string_view, std::string_view> nouns = [] {
        std::unordered_map<std::string_view, std::string_view> all;
        for (const unittables::CountedWord& counted : unittables::CountedWords)
            all.emplace(counted.word, counted.called);
        return all;
    }();
    return nouns;
}

// The beginnings of every unit key and leading factor ("m", "mi", ..., "millisecond").
const std::unordered_set<std::string_view>& UnitBeginnings() {
    static const std::unordered_set<std::string_view> beginnings = [] {
        std::unordered_set<std::string_view> all;
        const auto add = [&all](std::string_view key) {
            for (std::size_t n = 1; n <= key.size(); ++n) all.insert(key.substr(0, n));
        };
        for (const unittables::UnitRow& row : unittables::UnitTable) add(row.key);
        for (const unittables::LeadingFactor& leading : unittables::LeadingFactors) add(leading.word);
        return all;
    }();
    return beginnings;
}

std::optional<UnitWord> Lookup(const RowIndex& rows, std::string_view key) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (const auto found = rows.find(key); found != rows.end()) {
            const unittables::UnitRow& row = *found->second;
            return UnitWord{row.unittype, row.units, {row.multiplier, row.divisor}};
        }
        if (key.size() < 2 || key.back() != 's') break;
        key.remove_suffix(1);
    }
    return std::nullopt;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Words of a unit text without the factor before or after them; first: where they start.
struct ScaledWords {
    std::vector<std::string> words;
    UnitFactor factor;
    std::size_t first = 0;
};

// "hundredths of a second" -> "second" / 100, "0.1 dB" -> "dB" / 10, "percentage times 100"
// -> "percentage" / 100 (the value is the percentage times 100), "20 millisecond increments"
// -> "millisecond" x 20.
ScaledWords SplitFactor(std::vector<std::string> words) {
    ScaledWords scaled;
    if (words.size() >= 3 && words[words.size() - 2] == "times") {
        if (const std::optional<UnitFactor> times = NumberFactor(words.back())) {
            scaled.factor = {times->divisor, times->multiplier};
            words.resize(words.size() - 2);
        }
    }
    if (words.size() >= 2) {
        const std::optional<UnitFactor> number = NumberFactor(words[0]);
        for (const unittables::LeadingFactor& leading : unittables::LeadingFactors) {
            if (number || words[0] != leading.word) continue;
            scaled.factor = Combine(scaled.factor, {1, leading.divisor});
            scaled.first = 1;
            if (scaled.first < words.size() - 1 && words[scaled.first] == "of") ++scaled.first;
            if (scaled.first < words.size() - 1 &&
                (words[scaled.first] == "a" || words[scaled.first] == "an"))
                ++scaled.first;
            break;
        }
        if (number) {
            scaled.factor = Combine(scaled.factor, *number);
            scaled.first = 1;
            const std::string& last = words.back();
            if (words.size() >= 3 && (last == "increments" || last == "steps" || last == "units"))
                words.pop_back();
        }
    }
    scaled.words.assign(words.begin() + static_cast<std::ptrdiff_t>(scaled.first), words.end());
    return scaled;
}

// The words of a unit text, split at blanks, hyphens and underscores.
std::vector<std::string> Words(std::string_view text, bool lower) {
    std::vector<std::string> words(1);
    for (const char c : text) {
        if (c == ' ' || c == '-' || c == '_' || c == '\t' || c == '\r' || c == '\n') {
            if (!words.back().empty()) words.emplace_back();
        } else {
            words.back() += lower ? asciicase::Lower(c) : c;
        }
    }
    if (words.back().empty()) words.pop_back();
    return words;
}

std::vector<std::string> LowerWords(std::string_view text) {
    return Words(text, true);
}

bool IsCapital(char c) {
    return c >= 'A' && c <= 'Z';
}

// Where the last camel-case word of identifier starts at or before end: "BPDUs" is one word; in
// "FCSErrors" only the last capital starts it.
std::size_t CamelWordStart(std::string_view identifier, std::size_t end) {
    std::size_t start = end;
    while (start > 0 && identifier[start - 1] >= 'a' && identifier[start - 1] <= 'z') --start;
    if (start == end) return end;
    const std::size_t lowerStart = start;
    while (start > 0 && IsCapital(identifier[start - 1])) --start;
    const std::string word = asciicase::Lower(std::string(identifier.substr(start, end - start)));
    if (lowerStart - start > 1 && CountedNoun(word).empty()) return lowerStart - 1;
    return start;
}

}  // namespace

UnitFactor Combine(UnitFactor a, UnitFactor b) {
    // Reduced crosswise first, so that no product outgrows what the parts need.
    const std::int64_t first = std::max<std::int64_t>(std::gcd(a.multiplier, b.divisor), 1);
    const std::int64_t second = std::max<std::int64_t>(std::gcd(b.multiplier, a.divisor), 1);
    a = {a.multiplier / first, a.divisor / second};
    b = {b.multiplier / second, b.divisor / first};
    UnitFactor result;
    if (__builtin_mul_overflow(a.multiplier, b.multiplier, &result.multiplier) ||
        __builtin_mul_overflow(a.divisor, b.divisor, &result.divisor))
        return {0, 0};
    return result;
}

std::optional<UnitFactor> NumberFactor(std::string_view word) {
    constexpr int MaxDigits = 9;
    std::int64_t digits = 0, divisor = 1;
    int count = 0;
    bool point = false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = word[i];
        if (c == ',' && !point && i > 0 && i + 1 < word.size()) continue;
        if (c == '.' && !point && i > 0 && i + 1 < word.size()) {
            point = true;
            continue;
        }
        if (!IsDigit(c) || ++count > MaxDigits) return std::nullopt;
        digits = digits * 10 + (c - '0');
        if (point) divisor *= 10;
    }
    if (count == 0 || digits == 0) return std::nullopt;
    return Combine({digits, 1}, {1, divisor});
}

std::optional<UnitWord> FindUnitWord(std::string_view written) {
    const ScaledWords scaled = SplitFactor(LowerWords(written));
    std::string key;
    for (const std::string& word : scaled.words) {
        for (const char c : word) key += c == '/' ? std::string("per") : std::string(1, c);
    }
    std::optional<UnitWord> unit = Lookup(UnitRows(), key);
    if (unit) unit->factor = Combine(unit->factor, scaled.factor);
    return unit;
}

std::optional<UnitWord> FindScaledWords(std::string_view written) {
    const std::vector<std::string> words = Words(written, false);
    const ScaledWords scaled = SplitFactor(LowerWords(written));
    if (scaled.words.empty() || (scaled.factor.multiplier == 1 && scaled.factor.divisor == 1))
        return std::nullopt;
    std::string units;
    for (std::size_t i = scaled.first; i < scaled.first + scaled.words.size(); ++i) {
        if (std::any_of(words[i].begin(), words[i].end(), IsDigit)) return std::nullopt;
        units += (units.empty() ? "" : " ") + words[i];
    }
    return UnitWord{TUnitType::sutCustom, units, scaled.factor};
}

bool NamesNoUnit(std::string_view written) {
    const std::vector<std::string> words = LowerWords(written);
    if (words.size() != 1) return words.empty();
    constexpr std::array<std::string_view, 5> NoUnits = {"none", "count", "number", "value", "values"};
    return NumberFactor(words[0]) || std::find(NoUnits.begin(), NoUnits.end(), words[0]) != NoUnits.end();
}

bool MayStartUnit(std::string_view word) {
    std::string lower;
    for (const char c : word) {
        if (c == '-' || c == '_') break;
        lower += asciicase::Lower(c);
    }
    if (lower.empty()) return false;
    if (UnitBeginnings().contains(lower)) return true;  // some key begins with the word
    if (IsDigit(lower[0])) {
        while (!lower.empty() && std::string_view(".,;:)").find(lower.back()) != std::string_view::npos)
            lower.pop_back();
        return NumberFactor(lower).has_value();
    }
    const auto isLetter = [&lower](std::size_t at) {
        return at < lower.size() && lower[at] >= 'a' && lower[at] <= 'z';
    };
    for (std::size_t n = 1; n < lower.size(); ++n) {
        const std::size_t rest = lower[n] == 's' ? n + 1 : n;
        if (isLetter(rest)) continue;
        const std::string_view start = std::string_view(lower).substr(0, n);
        if (UnitRows().contains(start) ||
            std::any_of(unittables::LeadingFactors.begin(), unittables::LeadingFactors.end(),
                        [&](const unittables::LeadingFactor& leading) { return leading.word == start; }))
            return true;
    }
    return false;
}

std::string_view CountedNoun(std::string_view lowerWord) {
    const auto found = CountedNouns().find(lowerWord);
    return found == CountedNouns().end() ? std::string_view() : found->second;
}

std::string CountedThing(std::string_view identifier) {
    const std::size_t last = CamelWordStart(identifier, identifier.size());
    if (last == identifier.size()) return "";
    // Two words first: "OverFlows" are overflows, not flows.
    const std::size_t before = CamelWordStart(identifier, last);
    for (const std::size_t from : {before, last}) {
        const std::string word = asciicase::Lower(std::string(identifier.substr(from)));
        const std::string_view called = CountedNoun(word);
        if (called.empty()) continue;
        if (called == "bits" && from > 0 && IsDigit(identifier[from - 1])) return "";  // "...64Bits"
        return std::string(called);
    }
    return "";
}

std::string_view WordBeforeCountedThing(std::string_view identifier) {
    const std::size_t last = CamelWordStart(identifier, identifier.size());
    const std::size_t before = CamelWordStart(identifier, last);
    return identifier.substr(before, last - before);
}

bool YieldsToDescription(std::string_view called) {
    constexpr std::array<std::string_view, 21> Yielding = {
        "addresses", "ports",     "routes", "hosts",    "users",    "interfaces", "peers",
        "entries",   "neighbors", "flows",  "buffers",  "circuits", "channels",   "subscribers",
        "files",     "threads",   "nodes",  "stations", "paths",    "instances",  "events"};
    return std::find(Yielding.begin(), Yielding.end(), called) != Yielding.end();
}

std::optional<UnitWord> FindStandardConventionUnit(
    std::string_view name, const std::function<bool(std::string_view module)>& definedIn) {
    for (const unittables::StandardConvention& convention : unittables::StandardConventions)
        if (convention.name == name && definedIn(convention.module))
            return UnitWord{
                convention.unittype, convention.units, {convention.multiplier, convention.divisor}};
    return std::nullopt;
}

std::optional<UnitWord> FindConventionUnit(std::string_view name) {
    return Lookup(ConventionRows(), asciicase::Lower(std::string(name)));
}
