#include "import/unitwords.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "import/unittables.h"
#include "text/asciicase.h"
#include "text/blanks.h"
#include "text/windows1251case.h"

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

std::string_view CountedNoun(std::string_view word) {
    const auto found = CountedNouns().find(word);
    return found == CountedNouns().end() ? std::string_view() : found->second;
}

// "seconds)." -> "seconds": the punctuation a phrase of running text ends in.
void DropTrailingPunctuation(std::string& text) {
    while (!text.empty() && std::string_view(".,;:)").find(text.back()) != std::string_view::npos)
        text.pop_back();
}

// Where the word at or after at starts, npos when none does (the standard find_first_not_of
// searches its set of blanks once for every character).
std::size_t NextWordStart(std::string_view text, std::size_t at) {
    while (at < text.size() && IsSpaceTabOrLineBreak(text[at])) ++at;
    return at < text.size() ? at : std::string_view::npos;
}

// Where the word at at ends: its first blank, or the end of text.
std::size_t WordEnd(std::string_view text, std::size_t at) {
    while (at < text.size() && !IsSpaceTabOrLineBreak(text[at])) ++at;
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
    for (const unittables::LeadingFactor& leading : unittables::LeadingFactors) {
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
            std::any_of(unittables::LeadingFactors.begin(), unittables::LeadingFactors.end(),
                        [&](const unittables::LeadingFactor& leading) { return leading.word == start; }))
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
