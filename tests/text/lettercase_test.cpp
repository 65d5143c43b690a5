#include <gtest/gtest.h>

#include "text/asciicase.h"
#include "text/windows1251case.h"

namespace {

struct CaseMapping {
    const char* text;
    const char* lower;
};

class LetterCaseTest : public testing::TestWithParam<CaseMapping> {};

TEST_P(LetterCaseTest, LowersSingleByteLettersOnly) {
    EXPECT_EQ(windows1251case::Lower(GetParam().text), GetParam().lower);
}

INSTANTIATE_TEST_SUITE_P(Text, LetterCaseTest,
                         testing::Values(CaseMapping{"CPU Load", "cpu load"},
                                         // UTF-8: Ä (C3 84) and Ж (D0 96) stay intact.
                                         CaseMapping{"\xC3\x84RGER \xD0\x96", "\xC3\x84rger \xD0\x96"},
                                         // Not UTF-8: Windows-1251 capitals А, Я, Ё, Ў become lower case.
                                         CaseMapping{"\xC0\xDF\xA8\xA1X", "\xE0\xFF\xB8\xA2x"},
                                         // A lone continuation byte makes the text Windows-1251.
                                         CaseMapping{"A\x84", "a\x84"},
                                         // A truncated sequence at the end is not UTF-8 either.
                                         CaseMapping{"A\xD0", "a\xF0"}));

TEST(Windows1251Case, FindsAndOrdersIgnoringCase) {
    struct Case {
        const char *haystack, *needle;
        std::size_t start, found;
    };
    const Case cases[] = {
        {" If In", " in ", 0, std::string::npos},
        {" If In x", " in ", 0, 3},
        {"ab", "b", 5, std::string::npos},
        {"in IN", "in", 1, 3},
        {"abc", "", 2, 2},
        // A Windows-1251 or UTF-8 haystack, an ASCII needle: only ASCII letters fold to it.
        {"\xC0\xDF Number Of", "number of", 0, 3},
        {"\xD0\x96 NUMBER of", "number of", 0, 3},
        // A Cyrillic needle: Windows-1251 capitals fold, UTF-8 text stays as it is.
        {"x \xC0\xDF", "\xE0\xFF", 0, 2},
        {"x \xD0\x96", "\xF0\x96", 0, std::string::npos},
    };
    for (const Case& c : cases)
        EXPECT_EQ(windows1251case::FindIgnoringCase(c.haystack, c.needle, c.start), c.found)
            << c.haystack << " / " << c.needle;
    EXPECT_TRUE(windows1251case::LessIgnoringCase("cpu", "MIB"));
}

TEST(Windows1251Case, EqualsFoldsCyrillicAndAsciiLetters) {
    EXPECT_TRUE(windows1251case::EqualsIgnoringCase("Entry \xC0\xA8", "ENTRY \xE0\xB8"));
    EXPECT_FALSE(windows1251case::EqualsIgnoringCase("Entry", "Entries"));
}

TEST(AsciiCase, ChangesOnlyAsciiLetters) {
    EXPECT_EQ(asciicase::Upper("If-Mib \xE0"), "IF-MIB \xE0");
    EXPECT_EQ(asciicase::Lower("IF-MIB \xC0"), "if-mib \xC0");
    EXPECT_TRUE(asciicase::EqualsIgnoringCase("vmDiff", "VMDIFF"));
    EXPECT_FALSE(asciicase::EqualsIgnoringCase("\xC0", "\xE0")) << "Windows-1251 letters are not ASCII";
}

}  // namespace
