#include "app/editor/treebuilder.h"

#include <gtest/gtest.h>

#include "library/oidfile.h"
#include "widgets/oidtreeview.h"

namespace {

// Renders the tree as "caption=entry index" lines ("-" for no entry), two blanks per level.
std::string dump(const OidTreeView& tree, const toidfile& library) {
    std::string text;
    for (int n = 0; n < tree.nodeCount(); ++n) {
        const TreeNode* node = tree.nodeAt(n);
        int depth = 0;
        for (auto* p = node->parent(); p; p = p->parent()) ++depth;
        std::string data = "-";
        for (int i = 0; i < library.Count(); ++i)
            if (library.Entries(i) == EntryOf(node)) data = std::to_string(i);
        text += std::string(2 * depth, ' ') + node->caption().toStdString() + "=" + data + "\n";
    }
    return text;
}

std::string path(const TreeNode* node) {
    if (!node) return "(none)";
    std::string text = node->caption().toStdString();
    for (auto* p = node->parent(); p; p = p->parent()) text = p->text(0).toStdString() + "/" + text;
    return text;
}

struct Case {
    const char* title;
    std::vector<std::string> keys;
    std::string select;
    int oids, groups;
    std::string tree;
    std::string selected;
};

TEST(TreeBuilderTest, BuildsNodesDataCountsAndSelection) {
    const std::vector<Case> cases{
        {"empty library", {}, "", 0, 0, "", "(none)"},
        {"agent and group found again by searching",
         {"a|x|1", "b|y|2", "a|x|3"},
         "",
         3,
         2,
         "a=0\n  x=2\n    1=0\n    3=2\nb=1\n  y=-\n    2=1\n",
         "a"},
        {"equal consecutive keys share the first entry's node",
         {"a|x|1", "a|x|1"},
         "",
         1,
         1,
         "a=0\n  x=-\n    1=0\n",
         "a"},
        {"equal keys apart: the node takes the later entry",
         {"a|x|1", "a|x|2", "a|x|1"},
         "a|x|1",
         2,
         1,
         "a=0\n  x=-\n    1=2\n    2=1\n",
         "a/x/1"},
        {"an empty key is matched by the empty select key",
         {"b|g|n", "", "c"},
         "",
         3,
         3,
         "=1\n  =-\n    =1\nb=0\n  g=-\n    n=0\nc=2\n  c=-\n    c=2\n",
         "//"},
        {"the last matching entry is selected; children sorted",
         {"a|x|zed", "a|x|Alpha", "a|w|zed"},
         "a|w|zed",
         3,
         2,
         "a=0\n  w=-\n    zed=2\n  x=-\n    Alpha=1\n    zed=0\n",
         "a/w/zed"},
        {"unknown select key selects the first agent",
         {"m|g|1", "k|g|1"},
         "q",
         2,
         2,
         "k=1\n  g=-\n    1=1\nm=0\n  g=-\n    1=0\n",
         "k"},
    };
    for (const Case& c : cases) {
        toidfile library;
        for (const std::string& key : c.keys) {
            auto entry = std::make_unique<Toiddata>();
            entry->name = key;
            library.Add(std::move(entry));
        }
        OidTreeView tree;
        std::vector<int> progress;
        const TreeCounts counts = BuildTree(tree, library, c.select, [&](int i, int n) {
            EXPECT_EQ(n, library.Count());
            progress.push_back(i);
        });
        EXPECT_EQ(counts.oids, c.oids) << c.title;
        EXPECT_EQ(counts.groups, c.groups) << c.title;
        EXPECT_EQ(dump(tree, library), c.tree) << c.title;
        EXPECT_EQ(path(tree.selectedNode()), c.selected) << c.title;
        EXPECT_EQ(progress, c.keys.empty() ? std::vector<int>{} : std::vector<int>{0}) << c.title;
    }
}

TEST(TreeBuilderTest, OnlyTheFirstAgentIsExpandedAndProgressComesEveryTenEntries) {
    toidfile library;
    for (int i = 0; i < 25; ++i) {
        auto entry = std::make_unique<Toiddata>();
        entry->name = "agent" + std::to_string(i % 3) + "|g|" + std::to_string(i);
        library.Add(std::move(entry));
    }
    OidTreeView tree;
    std::vector<int> progress;
    BuildTree(tree, library, "", [&](int i, int) { progress.push_back(i); });
    EXPECT_EQ(progress, (std::vector<int>{0, 10, 20}));
    ASSERT_EQ(tree.topLevelItemCount(), 3);
    EXPECT_TRUE(tree.topLevelItem(0)->isExpanded());
    EXPECT_FALSE(tree.topLevelItem(0)->child(0)->isExpanded());
    EXPECT_FALSE(tree.topLevelItem(1)->isExpanded());
    EXPECT_FALSE(tree.topLevelItem(2)->isExpanded());
}

TEST(TreeBuilderTest, SelectedEntryShowsWithItsParentsOpen) {
    toidfile library;
    for (const char* key : {"a|x|1", "b|y|2"}) {
        auto entry = std::make_unique<Toiddata>();
        entry->name = key;
        library.Add(std::move(entry));
    }
    OidTreeView tree;
    BuildTree(tree, library, "b|y|2", {});
    EXPECT_EQ(path(tree.selectedNode()), "b/y/2");
    EXPECT_TRUE(tree.topLevelItem(1)->isExpanded());
    EXPECT_TRUE(tree.topLevelItem(1)->child(0)->isExpanded());
}

}  // namespace
