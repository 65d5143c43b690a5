#include "text/blanks.h"

#include <gtest/gtest.h>

namespace {

// Each sense of a blank, character by character: where they part is what each reader relies on.
TEST(Blanks, EachSenseCountsItsOwnCharacters) {
    struct Case {
        char c;
        bool spaceOrControl, spaceTabOrLineBreak, spaceOrTab;
    };
    for (const Case& c : std::initializer_list<Case>{
             {' ', true, true, true},
             {'\t', true, true, true},
             {'\r', true, true, false},
             {'\n', true, true, false},
             {'\0', true, false, false},
             {'\b', true, false, false},
             {'\f', true, false, false},
             {'\x1F', true, false, false},
             {'!', false, false, false},
             {'\x7F', false, false, false},
             {'\xA0', false, false, false},  // a byte above 127 is never a blank, though char is signed
             {'\xFF', false, false, false},
         }) {
        EXPECT_EQ(IsSpaceOrControl(c.c), c.spaceOrControl) << int(c.c);
        EXPECT_EQ(IsSpaceTabOrLineBreak(c.c), c.spaceTabOrLineBreak) << int(c.c);
        EXPECT_EQ(IsSpaceOrTab(c.c), c.spaceOrTab) << int(c.c);
    }
}

TEST(Blanks, TrimDropsBlanksAtEitherEndOnly) {
    EXPECT_EQ(Trim(" \tifIndex \r\n", IsSpaceOrControl), "ifIndex");
    EXPECT_EQ(Trim(" \tif Index\r\n", IsSpaceOrTab), "if Index\r\n");
    EXPECT_EQ(Trim(" \t ", IsSpaceOrTab), "");
    EXPECT_EQ(Trim("", IsSpaceOrControl), "");
    EXPECT_EQ(Trim("\xA0x\xA0", IsSpaceOrControl), "\xA0x\xA0");
}

}  // namespace
