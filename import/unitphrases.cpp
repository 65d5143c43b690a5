#include "import/unitphrases.h"

#include <algorithm>
#include <array>
#include <vector>

#include "import/sentences.h"
#include "text/asciicase.h"
#include "text/blanks.h"
#include "text/windows1251case.h"

namespace {

constexpr std::size_t MaxPhraseWords = 5;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsCapital(char c) {
    return c >= 'A' && c <= 'Z';
}

// "seconds)." -> "seconds": the punctuation a phrase of running text ends in.
std::string_view WithoutTrailingPunctuation(std::string_view text) {
    while (!text.empty() && std::string_view(".,;:)").find(text.back()) != std::string_view::npos)
        text.remove_suffix(1);
    return text;
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

// Up to out.size() words of text from at on.
template <std::size_t N>
std::size_t WordsFrom(std::string_view text, std::size_t at, std::array<std::string_view, N>& out) {
    std::size_t count = 0;
    while (count < out.size()) {
        at = NextWordStart(text, at);
        if (at == std::string_view::npos) break;
        const std::size_t end = WordEnd(text, at);
        out[count++] = text.substr(at, end - at);
        at = end;
    }
    return count;
}

// Two capitals are mostly an acronym ("MS", "AS", "MA", "DB"), except the byte units.
bool IsAcronym(std::string_view phrase) {
    return phrase.size() == 2 && IsCapital(phrase[0]) && IsCapital(phrase[1]) && phrase[1] != 'B';
}

// A number that may open a unit phrase without "units of" before it: a fraction such as 0.1.
bool IsFraction(std::string_view word) {
    const std::optional<UnitFactor> factor = NumberFactor(WithoutTrailingPunctuation(word));
    return factor && factor->multiplier == 1 && factor->divisor > 1;
}

// The unit of the longest phrase of 1 to MaxPhraseWords of words that the table knows.
template <std::size_t N>
std::optional<UnitWord> LongestUnitPhrase(const std::array<std::string_view, N>& split, std::size_t first,
                                          std::size_t count, std::string& words) {
    for (std::size_t n = std::min(MaxPhraseWords, count - first); n > 0; --n) {
        std::string phrase;
        for (std::size_t k = first; k < first + n; ++k)
            phrase += (phrase.empty() ? "" : " ") + std::string(split[k]);
        phrase = std::string(WithoutTrailingPunctuation(phrase));
        if (phrase.size() < 2 || IsAcronym(phrase)) continue;
        if (std::optional<UnitWord> unit = FindUnitWord(phrase)) {
            words = phrase;
            return unit;
        }
    }
    return std::nullopt;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           windows1251case::EqualsIgnoringCase(text.substr(text.size() - end.size()), end);
}

// "when a number of requests time out" and "any number of" count nothing.
bool FollowsIndefinite(std::string_view before) {
    return EndsWithIgnoringCase(before, " a ") || EndsWithIgnoringCase(before, " any ") ||
           asciicase::EqualsIgnoringCase(before, "a ") || asciicase::EqualsIgnoringCase(before, "any ");
}

// "The received VRRP Number of IP Addresses mismatching Counts" is a title, not a count.
bool FollowsAcronym(std::string_view text, std::size_t at) {
    if (!IsCapital(text[at]) || at < 3) return false;
    std::size_t start = at - 1;
    while (start > 0 && !IsSpaceTabOrLineBreak(text[start - 1])) --start;
    const std::string_view word = text.substr(start, at - 1 - start);
    return word.size() >= 2 && std::all_of(word.begin(), word.end(), IsCapital);
}

}  // namespace

bool HoldsWord(std::string_view text, std::string_view word) {
    for (std::size_t at = windows1251case::FindIgnoringCase(text, word); at != std::string_view::npos;
         at = windows1251case::FindIgnoringCase(text, word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || !IsLetter(text[at - 1])) && (end == text.size() || !IsLetter(text[end]))) return true;
    }
    return false;
}

std::optional<UnitWord> FindUnitInText(std::string_view text, std::string& words) {
    for (std::size_t at = windows1251case::FindIgnoringCase(text, "in"); at != std::string_view::npos;
         at = windows1251case::FindIgnoringCase(text, "in", at + 2)) {
        const bool wordStart = at == 0 || IsSpaceTabOrLineBreak(text[at - 1]) || text[at - 1] == '(';
        if (!wordStart || (at + 2 < text.size() && !IsSpaceTabOrLineBreak(text[at + 2]))) continue;
        std::array<std::string_view, MaxPhraseWords + 2> split;
        const std::size_t count = WordsFrom(text, at + 2, split);
        std::size_t first = 0;
        if (count > 2 && asciicase::EqualsIgnoringCase(split[0], "units") &&
            asciicase::EqualsIgnoringCase(split[1], "of"))
            first = 2;
        if (first >= count || !MayStartUnit(split[first])) continue;
        if (first == 0 && IsDigit(split[0][0]) && !IsFraction(split[0])) continue;
        if (std::optional<UnitWord> unit = LongestUnitPhrase(split, first, count, words)) return unit;
    }
    return std::nullopt;
}

std::optional<UnitWord> FindUnitInParentheses(std::string_view text, std::string& words) {
    constexpr std::size_t MaxInside = 24;
    for (std::size_t open = text.find('('); open != std::string_view::npos; open = text.find('(', open + 1)) {
        if (open > 0 && !IsSpaceTabOrLineBreak(text[open - 1])) continue;  // "packet(s)"
        const std::size_t close = text.find(')', open);
        if (close == std::string_view::npos || close - open - 1 > MaxInside) continue;
        const std::string_view inside = Trim(text.substr(open + 1, close - open - 1), IsSpaceTabOrLineBreak);
        if ((inside.size() < 2 && inside != "%") || IsAcronym(inside) ||
            (IsDigit(inside[0]) && !IsFraction(inside.substr(0, WordEnd(inside, 0)))))
            continue;
        if (std::optional<UnitWord> unit = FindUnitWord(inside)) {
            words = "(" + std::string(inside) + ")";
            return unit;
        }
    }
    return std::nullopt;
}

std::optional<UnitWord> FindCountInText(std::string_view text, std::string& words) {
    constexpr std::size_t MaxWordsBeforeNoun = 2;  // "the number of input IP datagrams"
    text = FirstSentence(text);
    for (const std::string_view phrase : {"number of ", "count of "}) {
        for (std::size_t at = windows1251case::FindIgnoringCase(text, phrase); at != std::string_view::npos;
             at = windows1251case::FindIgnoringCase(text, phrase, at + 1)) {
            if (at > 0 && !IsSpaceTabOrLineBreak(text[at - 1]) && text[at - 1] != '(') continue;
            if (phrase == "number of " && (FollowsIndefinite(text.substr(0, at)) || FollowsAcronym(text, at)))
                continue;
            std::size_t next = at + phrase.size();
            for (std::size_t i = 0; i <= MaxWordsBeforeNoun && next < text.size(); ++i) {
                // Words end at blanks only: "15-minute intervals" counts no minutes.
                const std::size_t end = WordEnd(text, next);
                const std::string word =
                    asciicase::Lower(std::string(WithoutTrailingPunctuation(text.substr(next, end - next))));
                next = NextWordStart(text, end);
                if (word == "the" || word == "times") break;  // "number of the ...", "number of times"
                std::optional<UnitWord> unit;
                if (const std::string_view called = CountedNoun(word); !called.empty())
                    unit = UnitWord{TUnitType::sutCustom, std::string(called), {}};
                else if (word.size() >= 3 && std::all_of(word.begin(), word.end(), IsLetter))
                    unit = FindUnitWord(word);  // not single letters: "the number of C ..."
                if (unit) {
                    words = std::string(phrase) + word;
                    // "the number of documents filtered per second" is a rate.
                    if (const std::size_t per = windows1251case::FindIgnoringCase(
                            text.substr(next == std::string_view::npos ? text.size() : next), "per second");
                        per != std::string_view::npos) {
                        unit->unittype = TUnitType::sutCustom;
                        unit->units += "/second";
                        words += " ... per second";
                    }
                    return unit;
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<UnitWord> FindCountInName(std::string_view sentence, std::string& words) {
    constexpr std::size_t MaxWords = 6;
    constexpr std::array<std::string_view, 27> Measures = {
        "per",       "rate",     "ratio",       "percent",   "percentage", "size",     "length",
        "time",      "delay",    "average",     "threshold", "limit",      "interval", "speed",
        "bandwidth", "capacity", "utilization", "load",      "number",     "count",    "timeout",
        "timer",     "lifetime", "level",       "priority",  "index",      "id"};
    constexpr std::array<std::string_view, 14> Prepositions = {"of",    "with",   "by",   "in",  "from",
                                                               "for",   "to",     "on",   "at",  "without",
                                                               "since", "during", "into", "over"};
    const std::string_view text = WithoutTrailingPunctuation(Trim(sentence, IsSpaceTabOrLineBreak));
    std::vector<std::string> split(1);
    for (const char c : text) {
        if (IsSpaceTabOrLineBreak(c) || c == '-') {
            if (!split.back().empty()) split.emplace_back();
        } else {
            split.back() += asciicase::Lower(c);
        }
    }
    if (split.back().empty()) split.pop_back();
    if (split.empty() || split.size() > MaxWords) return std::nullopt;
    for (const std::string& word : split)
        if (std::find(Measures.begin(), Measures.end(), word) != Measures.end()) return std::nullopt;
    for (const std::string& word : split) {
        if (std::find(Prepositions.begin(), Prepositions.end(), word) != Prepositions.end()) break;
        std::optional<UnitWord> unit;
        if (const std::string_view called = CountedNoun(word); !called.empty())
            unit = UnitWord{TUnitType::sutCustom, std::string(called), {}};
        else if (word == "bytes" || word == "octets")
            unit = UnitWord{TUnitType::sutBytes, "bytes", {}};
        if (unit) {
            words = std::string(Trim(sentence, IsSpaceTabOrLineBreak));
            if (!words.empty() && words.back() == '.') words.pop_back();
            return unit;
        }
    }
    return std::nullopt;
}

std::optional<UnitFactor> FindScaleInText(std::string_view sentence, std::string& words) {
    for (const std::string_view phrase : {"multiplied by ", "multiplying by "}) {
        const std::size_t at = windows1251case::FindIgnoringCase(sentence, phrase);
        if (at == std::string_view::npos) continue;
        const std::string_view before = Trim(sentence.substr(0, at), IsSpaceTabOrLineBreak);
        // "value has to be multiplied by 100" tells the reader what to do with it.
        if (EndsWithIgnoringCase(before, " to be") || EndsWithIgnoringCase(before, " must be") ||
            EndsWithIgnoringCase(before, " should be"))
            continue;
        std::array<std::string_view, 2> split;
        const std::size_t count = WordsFrom(sentence, at + phrase.size(), split);
        if (count == 0) continue;
        const std::optional<UnitFactor> number = NumberFactor(WithoutTrailingPunctuation(split[0]));
        if (!number || number->divisor != 1 || number->multiplier < 2) continue;
        // "multiplied by 16 ms" makes a unit of it, "multiplied by 96 plus 64" a formula.
        const bool ended = split[0].back() == ',' || split[0].back() == '.' || split[0].back() == ';';
        if (!ended && count == 2 &&
            (MayStartUnit(split[1]) || split[1] == "plus" || split[1] == "+" || split[1] == "minus"))
            continue;
        words = std::string(phrase) + std::string(WithoutTrailingPunctuation(split[0]));
        return UnitFactor{1, number->multiplier};
    }
    return std::nullopt;
}

bool SpeaksOfPercent(std::string_view sentence, std::string& words) {
    for (const std::string_view word : {"percentage", "percent", "%"}) {
        const std::size_t at = windows1251case::FindIgnoringCase(sentence, word);
        if (at == std::string_view::npos || !HoldsWord(sentence, word)) continue;
        // "Sampling period of the Acceleration percentage counters" is a period.
        const std::string_view before = sentence.substr(0, at);
        bool otherMeasure = false;
        for (const std::string_view measure :
             {"number of", "count of", "period", "interval", "time", "duration"})
            otherMeasure = otherMeasure || HoldsWord(before, measure);
        const bool statesIt = EndsWithIgnoringCase(Trim(before, IsSpaceTabOrLineBreak), " as a") ||
                              EndsWithIgnoringCase(Trim(before, IsSpaceTabOrLineBreak), " in");
        if (otherMeasure && !statesIt) return false;
        words = std::string(word);
        return true;
    }
    return false;
}
