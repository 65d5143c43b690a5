#include "library/namekey.h"

#include <gtest/gtest.h>

namespace {

TEST(NameKeyTest, SplitsAtTheFirstTwoBars) {
    struct Case {
        std::string key, agent, group, name;
    };
    const std::string longPart(3000, 'n');
    for (const Case& c : std::vector<Case>{{"a|b|c", "a", "b", "c"},
                                           {"a|b", "a", "b", "b"},
                                           {"a", "a", "a", "a"},
                                           {"a|b|c|d", "a", "b", "c|d"},
                                           {"", "", "", ""},
                                           {"||", "", "", ""},
                                           {"|x", "", "x", "x"},
                                           {"a||", "a", "", ""},
                                           {"a|b|" + longPart, "a", "b", longPart}}) {
        const NameParts parts = SplitNameKey(c.key);
        EXPECT_EQ(parts.agent, c.agent) << c.key;
        EXPECT_EQ(parts.group, c.group) << c.key;
        EXPECT_EQ(parts.name, c.name) << c.key;
    }
}

TEST(NameKeyTest, JoinedKeySplitsBackWhenNoPartHoldsABar) {
    EXPECT_EQ(JoinNameKey("Host", "Processor", "Load"), "Host|Processor|Load");
    const NameParts parts = SplitNameKey(JoinNameKey("", "g", ""));
    EXPECT_EQ(parts.agent, "");
    EXPECT_EQ(parts.group, "g");
    EXPECT_EQ(parts.name, "");
}

}  // namespace
