#include "import/sentences.h"

#include <array>

#include "text/asciicase.h"
#include "text/blanks.h"
#include "text/windows1251case.h"

namespace {

// Words whose full stop ends no sentence ("Min. Tx level", "since Jan. 1").
constexpr std::array<std::string_view, 20> Abbreviations = {
    "e.g", "i.e", "vs",  "approx", "cf",  "no",  "min", "max", "fig", "ref",
    "jan", "feb", "mar", "apr",    "jun", "jul", "aug", "sep", "oct", "nov"};

bool IsCapitalOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Whether the stop at text[at] follows one of the abbreviations.
bool FollowsAbbreviation(std::string_view text, std::size_t at) {
    std::size_t start = at;
    while (start > 0 && !IsSpaceTabOrLineBreak(text[start - 1]) && text[start - 1] != '(') --start;
    const std::string_view word = text.substr(start, at - start);
    for (const std::string_view abbreviation : Abbreviations)
        if (asciicase::EqualsIgnoringCase(word, abbreviation)) return true;
    return false;
}

// Where the sentence that starts at start ends (one past its last character), and where the
// next one starts.
std::pair<std::size_t, std::size_t> SentenceEnd(std::string_view text, std::size_t start) {
    for (std::size_t at = start; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\n') {
            std::size_t next = at + 1;
            while (next < text.size() && (text[next] == ' ' || text[next] == '\t' || text[next] == '\r'))
                ++next;
            if (next < text.size() && text[next] == '\n') return {at, next};  // an empty line
            continue;
        }
        if (c != '.' && c != '!' && c != '?') continue;
        std::size_t next = at + 1;
        while (next < text.size() && IsSpaceTabOrLineBreak(text[next])) ++next;
        if (next == text.size()) return {at + 1, next};
        if (next > at + 1 && IsCapitalOrDigit(text[next]) && (c != '.' || !FollowsAbbreviation(text, at)))
            return {at + 1, next};
    }
    return {text.size(), text.size()};
}

}  // namespace

std::vector<std::string_view> Sentences(std::string_view text) {
    std::vector<std::string_view> sentences;
    for (std::size_t start = 0; start < text.size();) {
        const auto [end, next] = SentenceEnd(text, start);
        const std::string_view sentence = Trim(text.substr(start, end - start), IsSpaceTabOrLineBreak);
        if (!sentence.empty()) sentences.push_back(sentence);
        start = next;
    }
    return sentences;
}

std::string_view FirstSentence(std::string_view text) {
    text = Trim(text, IsSpaceTabOrLineBreak);
    return Trim(text.substr(0, SentenceEnd(text, 0).first), IsSpaceTabOrLineBreak);
}

bool StatesItsValue(std::string_view sentence) {
    constexpr std::array<std::string_view, 17> Openings = {
        "this ",        "it ",        "its ",           "value ",
        "values ",      "the value",  "unit",           "the unit",
        "in units",     "expressed",  "measured",       "given in",
        "specified in", "defined in", "the counter is", "the current value",
        "returns"};
    constexpr std::array<std::string_view, 9> Statements = {
        "this value",        "value is in",    "is expressed in", "is measured in", "is specified in",
        "is represented in", "is reported in", "in units of",     "the number is"};
    for (const std::string_view opening : Openings)
        if (sentence.size() >= opening.size() &&
            windows1251case::EqualsIgnoringCase(sentence.substr(0, opening.size()), opening))
            return true;
    for (const std::string_view statement : Statements)
        if (windows1251case::FindIgnoringCase(sentence, statement) != std::string_view::npos) return true;
    return false;
}
