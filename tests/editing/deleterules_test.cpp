#include "editing/deleterules.h"

#include <gtest/gtest.h>

#include "library/oidfile.h"

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

class DeleteNodeEntriesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* key :
             {"a|x|ifIn", "a|x|ifInOctets", "a|x|ifIn", "b", "a|Net|1", "a|Network|1", "c|d"}) {
            auto e = std::make_unique<Toiddata>();
            e->name = key;
            library.Add(std::move(e));
        }
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> result;
        for (int i = 0; i < library.Count(); ++i) result.push_back(library.Entries(i)->name);
        return result;
    }
    toidfile library;
};

TEST_F(DeleteNodeEntriesTest, AnEntryNodeTakesEveryEntryOfItsKey) {
    EXPECT_EQ(DeleteNodeEntries(library, "a|x|ifIn", NodeLevel::Entry, {library.Entries(2)}), 2);
    EXPECT_EQ(keys(), (std::vector<std::string>{"a|x|ifInOctets", "b", "a|Net|1", "a|Network|1", "c|d"}));
}

TEST_F(DeleteNodeEntriesTest, AGroupNodeLeavesTheGroupItsCaptionBegins) {
    EXPECT_EQ(DeleteNodeEntries(library, "a|Net|", NodeLevel::Group, {library.Entries(4)}), 1);
    EXPECT_EQ(keys(), (std::vector<std::string>{"a|x|ifIn", "a|x|ifInOctets", "a|x|ifIn", "b", "a|Network|1",
                                                "c|d"}));
}

TEST_F(DeleteNodeEntriesTest, ShownEntriesGoEvenWhenTheirKeyIsShort) {
    // "b" shows as b / b / b, "c|d" as c / d / d: their node keys never equal the stored ones.
    EXPECT_EQ(DeleteNodeEntries(library, "b|b|b", NodeLevel::Entry, {library.Entries(3)}), 1);
    EXPECT_EQ(DeleteNodeEntries(library, "c|d|", NodeLevel::Group, {library.Entries(5)}), 1);
    EXPECT_EQ(keys(),
              (std::vector<std::string>{"a|x|ifIn", "a|x|ifInOctets", "a|x|ifIn", "a|Net|1", "a|Network|1"}));
}

TEST_F(DeleteNodeEntriesTest, AnAgentNodeTakesTheWholeAgent) {
    EXPECT_EQ(DeleteNodeEntries(library, "a|", NodeLevel::Agent, {}), 5);
    EXPECT_EQ(keys(), (std::vector<std::string>{"b", "c|d"}));
}

}  // namespace
