#include "editing/textsearch.h"

#include <gtest/gtest.h>

#include "library/oiddata.h"
#include "text/utf8.h"

namespace {

// A text typed in plain ASCII has the same bytes in both forms.
SearchText typed(const std::string& text) {
    return {text, text};
}

struct FindCase {
    const char* what;
    std::string field;
    SearchText text;
    bool caseSensitive;
    size_t position;  // npos: not found
    size_t length;
};

class FindInTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindInTest, FindsTheFirstOccurrence) {
    const FindCase& c = GetParam();
    const TextMatch match = TextMatcher(c.text, c.caseSensitive).FindIn(c.field);
    EXPECT_EQ(match.position, c.position) << c.what;
    if (match.found()) {
        EXPECT_EQ(match.length, c.length) << c.what;
    }
}

const size_t none = std::string::npos;

INSTANTIATE_TEST_SUITE_P(
    Cases, FindInTest,
    ::testing::Values(
        FindCase{"ASCII without case", "Processor CPU load", typed("cpu"), false, 10, 3},
        FindCase{"ASCII with case", "Processor CPU load", typed("cpu"), true, none, 0},
        FindCase{"a run across the key's bars", "Interfaces|Traffic|In Octets", typed("s|traf"), false, 9, 6},
        FindCase{"empty text occurs nowhere", "anything", typed(""), false, none, 0},
        FindCase{"empty field holds nothing", "", typed("a"), false, none, 0},
        FindCase{"umlaut pair in UTF-8",
                 "Gr\xC3\xB6\xC3\x9F"
                 "e",
                 {"GR\xC3\x96\xC3\x9F", "GR\xD6\xDF"},
                 false,
                 0,
                 6},
        FindCase{"umlaut pair with case",
                 "Gr\xC3\xB6\xC3\x9F"
                 "e",
                 {"GR\xC3\x96", "GR\xD6"},
                 true,
                 none,
                 0},
        FindCase{"no full folding: sharp s is not ss",
                 "Gr\xC3\xB6\xC3\x9F"
                 "e",
                 {"\xC3\xB6ss", "\xF6ss"},
                 false,
                 none,
                 0},
        FindCase{"Kelvin sign folds to a one-byte k",
                 "5 \xE2\x84\xAA"
                 "elvin",
                 typed("kelvin"), false, 2, 8},
        FindCase{"Cyrillic pair in Windows-1251 bytes",
                 "\xCF\xD0\xCE\xD6\xC5\xD1\xD1\xCE\xD0",
                 {"\xD0\xBF\xD1\x80\xD0\xBE", "\xEF\xF0\xEE"},
                 false,
                 0,
                 3},
        FindCase{"Windows-1251 bytes with case", "\xCF\xD0\xCE", {"", "\xEF\xF0\xEE"}, true, none, 0},
        FindCase{"a Windows-1251 field takes the single-byte form",
                 "\xCF\xD0\xCE",
                 {"\xCF\xD0\xCE!", "\xCF"},
                 true,
                 0,
                 1},
        FindCase{"Cyrillic in UTF-8 by case folding",
                 "\xD0\x9F\xD0\xA0\xD0\x9E",
                 {"\xD0\xBF\xD1\x80", "\xEF\xF0"},
                 false,
                 0,
                 4}));

TEST(TextMatcherTest, SearchesOnFromAGivenByte) {
    const TextMatcher matcher(typed("ab"), false);
    EXPECT_EQ(matcher.FindIn("abAB", 1).position, 2u);
    EXPECT_FALSE(matcher.FindIn("abAB", 3).found());
    EXPECT_FALSE(matcher.FindIn("abAB", 9).found());
    // From the middle of a letter the search goes on at the next letter.
    EXPECT_EQ(TextMatcher({"\xC3\xA4", "\xE4"}, false).FindIn("\xC3\xA4\xC3\x84", 1).position, 2u);
}

TEST(Utf8Test, TellsWellFormedFromOther) {
    for (auto [bytes, valid] : std::vector<std::pair<std::string, bool>>{{"", true},
                                                                         {"plain", true},
                                                                         {"\xC3\xA4", true},
                                                                         {"\xF0\x9F\x98\x80", true},
                                                                         {"\xE4", false},
                                                                         {"\xC3", false},
                                                                         {"\xC0\xAF", false},
                                                                         {"\xED\xA0\x80", false},
                                                                         {"\xF4\x90\x80\x80", false}})
        EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
}

struct ReplaceCase {
    const char* what;
    std::string field;
    SearchText text;
    SearchText replacement;
    bool caseSensitive;
    std::string expected;
};

class ReplaceAllTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, ReplacesEveryOccurrenceWithoutOverlap) {
    const ReplaceCase& c = GetParam();
    std::string field = c.field;
    const bool changed = ReplaceAllIn(field, TextMatcher(c.text, c.caseSensitive), c.replacement);
    EXPECT_EQ(field, c.expected) << c.what;
    EXPECT_EQ(changed, c.field != c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllTest,
    ::testing::Values(ReplaceCase{"aa -> X in aaa", "aaa", typed("aa"), typed("X"), true, "Xa"},
                      ReplaceCase{"without case, as typed", "CPU cpu Cpu", typed("cpu"), typed("Core"), false,
                                  "Core Core Core"},
                      ReplaceCase{"with case", "CPU cpu", typed("cpu"), typed("x"), true, "CPU x"},
                      ReplaceCase{"empty replacement deletes", "in octets in", typed("in"), typed(""), true,
                                  " octets "},
                      ReplaceCase{"empty text changes nothing", "abc", typed(""), typed("x"), false, "abc"},
                      ReplaceCase{"no occurrence", "abc", typed("z"), typed("x"), false, "abc"},
                      ReplaceCase{"UTF-8 field gets the UTF-8 replacement",
                                  "Gr\xC3\xB6\xC3\x9F"
                                  "e",
                                  {"\xC3\x96", "\xD6"},
                                  {"\xC3\xA4", "\xE4"},
                                  false,
                                  "Gr\xC3\xA4\xC3\x9F"
                                  "e"},
                      ReplaceCase{"single-byte field gets the single-byte replacement",
                                  "Gr\xF6\xDF"
                                  "e",
                                  {"\xC3\x96", "\xD6"},
                                  {"\xC3\xA4", "\xE4"},
                                  false,
                                  "Gr\xE4\xDF"
                                  "e"},
                      ReplaceCase{"a folded letter of another length",
                                  "\xE2\x84\xAA"
                                  "elvin K",
                                  typed("k"), typed("c"), false, "celvin c"}));

Toiddata entry(const std::string& name, const std::string& description, const std::string& indicator,
               const std::string& units, const std::string& oid) {
    Toiddata e;
    e.name = name;
    e.description = description;
    e.indicator = indicator;
    e.units = units;
    e.oid = oid;
    return e;
}

TEST(EntryMatchesTest, LooksOnlyAtTheChosenFields) {
    const Toiddata e =
        entry("Net|Traffic|In Octets", "octets received", "Rx", "Bytes", "1.3.6.1.2.1.2.2.1.10");
    const TextMatcher octets(typed("octets"), false);
    struct Case {
        SearchFields fields;
        const TextMatcher& matcher;
        bool matches;
    };
    const TextMatcher rx(typed("rx"), false), bytes(typed("bytes"), false), oid(typed("2.2.1"), false);
    const TextMatcher rxWithCase(typed("rx"), true);
    const std::vector<Case> cases{
        {{}, octets, true},
        {{.name = false, .description = true}, octets, true},
        {{.name = false}, octets, false},
        {{.name = false, .indicator = true}, rx, true},
        {{.indicator = true}, rxWithCase, false},
        {{.name = false, .units = true}, bytes, true},
        {{.name = false, .description = true}, bytes, false},
        {{.name = false, .oid = true}, oid, true},
        {{.name = true}, oid, false},
    };
    for (size_t row = 0; row < cases.size(); ++row)
        EXPECT_EQ(EntryMatches(e, cases[row].fields, cases[row].matcher), cases[row].matches)
            << "row " << row;
}

}  // namespace
