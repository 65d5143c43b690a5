#include "editing/deleterules.h"

#include <gtest/gtest.h>

namespace {

TEST(NodeKeyTest, SpellsTheKeyOfEachLevel) {
    const NameParts path{"a", "x", "1"};
    EXPECT_EQ(NodeKey(path, NodeLevel::Agent), "a|");
    EXPECT_EQ(NodeKey(path, NodeLevel::Group), "a|x|");
    EXPECT_EQ(NodeKey(path, NodeLevel::Entry), "a|x|1");
}

TEST(KeyMatchesNodeTest, EntryNodesMatchExactlyOthersByPrefix) {
    struct Case {
        const char* entryKey;
        const char* nodeKey;
        NodeLevel level;
        bool matches;
    };
    for (const auto& [entryKey, nodeKey, level, matches] : std::vector<Case>{
             {"a|x|ifIn", "a|x|ifIn", NodeLevel::Entry, true},
             {"a|x|ifInOctets", "a|x|ifIn", NodeLevel::Entry, false},
             {"a|x|ifIn|extra", "a|x|ifIn", NodeLevel::Entry, false},
             {"a|Net|in", "a|Net|", NodeLevel::Group, true},
             {"a|Network|in", "a|Net|", NodeLevel::Group, false},
             {"a|x|1", "a|", NodeLevel::Agent, true},
             {"ab|x|1", "a|", NodeLevel::Agent, false},
             {"A|x|1", "a|", NodeLevel::Agent, false},
             {"a", "a|a|a", NodeLevel::Entry, false},
             {"a|b", "a|b|", NodeLevel::Group, false},
             {"a|b", "a|", NodeLevel::Agent, true},
         })
        EXPECT_EQ(KeyMatchesNode(entryKey, nodeKey, level), matches) << entryKey << " / " << nodeKey;
}

}  // namespace
