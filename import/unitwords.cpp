#include "import/unitwords.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "text/asciicase.h"
#include "text/windows1251case.h"

namespace {

constexpr TUnitType Bytes = TUnitType::sutBytes;
constexpr TUnitType Percent = TUnitType::sutPercent;
constexpr TUnitType Custom = TUnitType::sutCustom;
constexpr const char* Celsius =
    "\xB0"
    "C";  // the library's code page is Latin-1

struct UnitRow {
    std::string_view key;  // lower case, no blanks or hyphens, "/" as "per", mostly singular
    TUnitType unittype;
    const char* units;
    std::int64_t multiplier, divisor;
};

// Spellings seen in the UNITS clauses of real MIBs. A key is tried as written, then without one
// trailing "s" (so "octets" finds "octet" and "bps" stays whole).
constexpr std::array UnitTable = {
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
constexpr std::array ConventionTable = {
    UnitRow{"voltage", Custom, "V", 1, 1},    UnitRow{"temperature", Custom, Celsius, 1, 1},
    UnitRow{"power", Custom, "W", 1, 1},      UnitRow{"current", Custom, "A", 1, 1},
    UnitRow{"frequency", Custom, "Hz", 1, 1}, UnitRow{"percent", Percent, "%", 1, 1},
};

// The plural words that end the identifiers of counters, and what the entry calls them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 59> CountedWords = {{
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
}};

struct LeadingFactor {
    std::string_view word;
    std::int64_t divisor;
};
constexpr std::array LeadingFactors = {
    LeadingFactor{"tenth", 10},        LeadingFactor{"tenths", 10},        LeadingFactor{"0.1", 10},
    LeadingFactor{"hundredth", 100},   LeadingFactor{"hundredths", 100},   LeadingFactor{"0.01", 100},
    LeadingFactor{"thousandth", 1000}, LeadingFactor{"thousandths", 1000}, LeadingFactor{"0.001", 1000},
};

// The tables by key, built once: the rules look up most words of most descriptions.
using RowIndex = std::unordered_map<std::string_view, const UnitRow*>;

template <typename Table>
RowIndex IndexRows(const Table& table) {
    RowIndex rows;
    for (const UnitRow& row : table) rows.try_emplace(row.key, &row);  // the first row of a key wins
    return rows;
}

const RowIndex& UnitRows() {
    static const RowIndex rows = IndexRows(UnitTable);
    return rows;
}

const RowIndex& ConventionRows() {
    static const RowIndex rows = IndexRows(ConventionTable);
    return rows;
}

const std::unordered_map<std::string_view, std::string_view>& CountedNouns() {
    static const std::unordered_map<std::string_view, std::string_view> nouns(CountedWords.begin(),
                                                                              CountedWords.end());
    return nouns;
}

// The beginnings of every unit key and leading factor ("m", "mi", ..., "millisecond").
const std::unordered_set<std::string_view>& UnitBeginnings() {
    static const std::unordered_set<std::string_view> beginnings = [] {
        std::unordered_set<std::string_view> all;
        const auto add = [&all](std::string_view key) {
            for (std::size_t n = 1; n <= key.size(); ++n) all.insert(key.substr(0, n));
        };
        for (const UnitRow& row : UnitTable) add(row.key);
        for (const LeadingFactor& leading : LeadingFactors) add(leading.word);
        return all;
    }();
    return beginnings;
}

std::optional<UnitWord> Lookup(const RowIndex& rows, std::string_view key) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (const auto found = rows.find(key); found != rows.end()) {
            const UnitRow& row = *found->second;
            return UnitWord{row.unittype, row.units, {row.multiplier, row.divisor}};
        }
        if (key.size() < 2 || key.back() != 's') break;
        key.remove_suffix(1);
    }
    return std::nullopt;
}

std::string_view CountedNoun(std::string_view word) {
    const auto found = CountedNouns().find(word);
    return found == CountedNouns().end() ? std::string_view() : found->second;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// "seconds)." -> "seconds": the punctuation a phrase of running text ends in.
void DropTrailingPunctuation(std::string& text) {
    while (!text.empty() && std::string_view(".,;:)").find(text.back()) != std::string_view::npos)
        text.pop_back();
}

// Where the word at or after at starts, npos when none does (the standard find_first_not_of
// searches its set of blanks once for every character).
std::size_t NextWordStart(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at < text.size() ? at : std::string_view::npos;
}

// Where the word at at ends: its first blank, or the end of text.
std::size_t WordEnd(std::string_view text, std::size_t at) {
    while (at < text.size() && !IsBlank(text[at])) ++at;
    return at;
}

std::vector<std::string> LowerWords(std::string_view text) {
    std::vector<std::string> words(1);
    for (const char c : text) {
        if (c == ' ' || c == '-' || c == '_' || c == '\t') {
            if (!words.back().empty()) words.emplace_back();
        } else {
            words.back() += asciicase::Lower(c);
        }
    }
    if (words.back().empty()) words.pop_back();
    return words;
}

}  // namespace

UnitFactor Combine(UnitFactor a, UnitFactor b) {
    UnitFactor result{a.multiplier * b.multiplier, a.divisor * b.divisor};
    const std::int64_t common = std::gcd(result.multiplier, result.divisor);
    if (common > 1) result = {result.multiplier / common, result.divisor / common};
    return result;
}

std::optional<UnitWord> FindUnitWord(std::string_view written) {
    const std::vector<std::string> words = LowerWords(written);
    std::size_t first = 0;
    std::int64_t divisor = 1;
    for (const LeadingFactor& leading : LeadingFactors) {
        if (words.size() < 2 || words[0] != leading.word) continue;
        divisor = leading.divisor;
        first = 1;
        if (first < words.size() - 1 && words[first] == "of") ++first;
        if (first < words.size() - 1 && (words[first] == "a" || words[first] == "an")) ++first;
        break;
    }
    std::string key;
    for (std::size_t i = first; i < words.size(); ++i) {
        for (const char c : words[i]) key += c == '/' ? std::string("per") : std::string(1, c);
    }
    std::optional<UnitWord> unit = Lookup(UnitRows(), key);
    if (unit) unit->factor = Combine(unit->factor, {1, divisor});
    return unit;
}

// Whether a unit phrase may start with word: some table key or leading factor begins with its
// letters, or it is one with an "s" or punctuation after it ("seconds," with "second",
// "bits/s" with "bit"). Most words after "in" fail at once: "case" does not pass for "c".
bool MayStartUnit(std::string_view word) {
    std::string lower;
    for (const char c : word) {
        if (c == '-' || c == '_') break;
        lower += asciicase::Lower(c);
    }
    if (lower.empty()) return false;
    if (UnitBeginnings().contains(lower)) return true;  // some key begins with the word
    const auto isLetter = [&lower](std::size_t at) {
        return at < lower.size() && lower[at] >= 'a' && lower[at] <= 'z';
    };
    for (std::size_t n = 1; n < lower.size(); ++n) {
        const std::size_t rest = lower[n] == 's' ? n + 1 : n;
        if (isLetter(rest)) continue;
        const std::string_view start = std::string_view(lower).substr(0, n);
        if (UnitRows().contains(start) ||
            std::any_of(LeadingFactors.begin(), LeadingFactors.end(),
                        [&](const LeadingFactor& leading) { return leading.word == start; }))
            return true;
    }
    return false;
}

std::optional<UnitWord> FindUnitInText(std::string_view text, std::string& words) {
    constexpr std::size_t MaxPhraseWords = 5;
    // The words from at on, at most count of them: only those after an "in" are ever split off.
    const auto nextWords = [&](std::size_t at, std::array<std::string_view, MaxPhraseWords + 2>& out) {
        std::size_t count = 0;
        while (count < out.size()) {
            at = NextWordStart(text, at);
            if (at == std::string_view::npos) break;
            const std::size_t end = WordEnd(text, at);
            out[count++] = text.substr(at, end - at);
            at = end;
        }
        return count;
    };
    for (std::size_t at = windows1251case::FindIgnoringCase(text, "in"); at != std::string_view::npos;
         at = windows1251case::FindIgnoringCase(text, "in", at + 2)) {
        const bool wordStart = at == 0 || text[at - 1] == ' ' || text[at - 1] == '(';
        if (!wordStart || (at + 2 < text.size() && text[at + 2] != ' ')) continue;
        std::array<std::string_view, MaxPhraseWords + 2> split;
        const std::size_t count = nextWords(at + 2, split);
        std::size_t first = 0;
        if (count > 2 && asciicase::EqualsIgnoringCase(split[0], "units") &&
            asciicase::EqualsIgnoringCase(split[1], "of"))
            first = 2;
        if (first >= count || !MayStartUnit(split[first])) continue;
        for (std::size_t n = std::min(MaxPhraseWords, count - first); n > 0; --n) {
            std::string phrase;
            for (std::size_t k = first; k < first + n; ++k)
                phrase += (phrase.empty() ? "" : " ") + std::string(split[k]);
            DropTrailingPunctuation(phrase);
            if (phrase.size() < 2) continue;
            if (std::optional<UnitWord> unit = FindUnitWord(phrase)) {
                words = phrase;
                return unit;
            }
        }
    }
    return std::nullopt;
}

std::string CountedThing(std::string_view identifier) {
    std::size_t start = identifier.size();
    while (start > 0 && identifier[start - 1] >= 'a' && identifier[start - 1] <= 'z') --start;
    const std::size_t lowerStart = start;
    while (start > 0 && identifier[start - 1] >= 'A' && identifier[start - 1] <= 'Z') --start;
    // "BPDUs" is one word; in "FCSErrors" only the last capital starts it.
    for (const std::size_t from : {start, lowerStart > 0 ? lowerStart - 1 : lowerStart}) {
        const std::string word = asciicase::Lower(std::string(identifier.substr(from)));
        if (const std::string_view called = CountedNoun(word); !called.empty()) return std::string(called);
    }
    return "";
}

std::optional<UnitWord> FindConventionUnit(std::string_view name) {
    return Lookup(ConventionRows(), asciicase::Lower(std::string(name)));
}

std::optional<UnitWord> FindCountInText(std::string_view text, std::string& words) {
    constexpr std::size_t MaxWordsBeforeNoun = 2;  // "the number of input IP datagrams"
    text = text.substr(0, text.find(". "));
    for (const std::string_view phrase : {"number of ", "count of "}) {
        for (std::size_t at = windows1251case::FindIgnoringCase(text, phrase); at != std::string_view::npos;
             at = windows1251case::FindIgnoringCase(text, phrase, at + 1)) {
            if (at > 0 && text[at - 1] != ' ' && text[at - 1] != '(') continue;
            std::size_t next = at + phrase.size();
            for (std::size_t i = 0; i <= MaxWordsBeforeNoun && next < text.size(); ++i) {
                // Words end at blanks only: "15-minute intervals" counts no minutes.
                const std::size_t end = WordEnd(text, next);
                std::string word = asciicase::Lower(std::string(text.substr(next, end - next)));
                next = NextWordStart(text, end);
                DropTrailingPunctuation(word);
                if (word == "the" || word == "times") break;  // "number of the ...", "number of times"
                std::optional<UnitWord> unit;
                if (const std::string_view called = CountedNoun(word); !called.empty())
                    unit = UnitWord{TUnitType::sutCustom, std::string(called), {}};
                else if (word.size() >= 3)  // single letters name no unit here: "the number of C ..."
                    unit = Lookup(UnitRows(), word);
                if (unit) {
                    words = std::string(phrase) + word;
                    return unit;
                }
            }
        }
    }
    return std::nullopt;
}
