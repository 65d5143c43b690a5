// The filter box above the tree.
#include <QElapsedTimer>

#include "formfixture.h"

namespace {

class TreeFilterTest : public FormFixture {
  protected:
    // Entries of the given name keys and OIDs, shown in the tree.
    void load(const std::vector<std::pair<std::string, std::string>>& entries) {
        for (const auto& [key, oid] : entries) {
            auto entry = std::make_unique<Toiddata>();
            entry->name = key;
            entry->oid = oid;
            form->document().library().Add(std::move(entry));
        }
        form->document().libraryReplaced();
        form->editing().RebuildTree({});
    }
    void filter(const QString& text) {
        QLineEdit* box = widget<QLineEdit>("TreeFilter");
        box->clear();
        QTest::keyClicks(box, text);
    }
    // The rows the tree shows, as caption paths: every node not hidden under open parents.
    QStringList shown() {
        QStringList rows;
        form->tree().forEachNode([&rows](TreeNode* node) {
            QString path = node->caption();
            for (QTreeWidgetItem* p = node->parent(); p; p = p->parent()) {
                if (p->isHidden() || !p->isExpanded()) return;
                path = p->text(0) + "/" + path;
            }
            if (!node->isHidden()) rows << path;
        });
        return rows;
    }
    void sampleLibrary() {
        load({{"IF-MIB|ifTable|In Octets", "1.3.6.1.2.1.2.2.1.10"},
              {"IF-MIB|ifTable|Out Octets", "1.3.6.1.2.1.2.2.1.16"},
              {"IF-MIB|system|Uptime", "1.3.6.1.2.1.1.3.0"},
              {"HOST|storage|Used", "1.3.6.1.2.1.25.2.3.1.6"},
              {"HOST|storage|Octets per Unit", "1.3.6.1.2.1.25.2.3.1.4"}});
    }
};

TEST_F(TreeFilterTest, ShowsTheEntriesWhoseNameOrOidHoldsTheText) {
    start();
    sampleLibrary();
    const struct {
        const char* text;
        QStringList rows;
    } cases[] = {
        {"octets",  // any letter case, across agents
         {"HOST", "HOST/storage", "HOST/storage/Octets per Unit", "IF-MIB", "IF-MIB/ifTable",
          "IF-MIB/ifTable/In Octets", "IF-MIB/ifTable/Out Octets"}},
        {" Uptime ", {"IF-MIB", "IF-MIB/system", "IF-MIB/system/Uptime"}},
        {"1.3.6.1.2.1.2.2.1.16", {"IF-MIB", "IF-MIB/ifTable", "IF-MIB/ifTable/Out Octets"}},
        {".1.3.6.1.2.1.1.3", {"IF-MIB", "IF-MIB/system", "IF-MIB/system/Uptime"}},
        {"25.2.3", {"HOST", "HOST/storage", "HOST/storage/Octets per Unit", "HOST/storage/Used"}},
        {"ifTable", {}},  // a group's name is no entry's name
        {"Gigawords", {}},
    };
    for (const auto& c : cases) {
        filter(c.text);
        EXPECT_EQ(shown(), c.rows) << c.text;
    }
}

TEST_F(TreeFilterTest, ClearingBringsBackTheTreeAsItWasOpened) {
    start();
    sampleLibrary();
    form->tree().collapseAll();
    node("HOST/storage")->parent()->setExpanded(true);
    node("HOST/storage")->setExpanded(true);
    click("HOST/storage/Used");
    const QStringList before = shown();

    filter("octets");
    // While filtered, a rebuild (an edit, Undo, an import) filters the new nodes.
    form->editing().RebuildTree("HOST|storage|Used");
    EXPECT_EQ(shown().size(), 7);
    EXPECT_TRUE(node("HOST/storage/Used")->isHidden());

    QTest::keyClick(widget<QLineEdit>("TreeFilter"), Qt::Key_Escape);
    EXPECT_EQ(text("TreeFilter"), "");
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(form->tree().selectedNode(), node("HOST/storage/Used")) << "the selection stays";
}

// Delete takes what the filter shows under the node, never the entries it hides.
TEST_F(TreeFilterTest, DeleteTakesOnlyWhatShows) {
    const struct {
        const char* selected;  // selected before the filter "octets" comes on
        std::vector<std::string> left;
    } cases[] = {
        {"HOST/storage",
         {"IF-MIB|ifTable|In Octets", "IF-MIB|ifTable|Out Octets", "IF-MIB|system|Uptime",
          "HOST|storage|Used"}},
        {"IF-MIB", {"IF-MIB|system|Uptime", "HOST|storage|Used", "HOST|storage|Octets per Unit"}},
        // Hidden by the filter, but shown in the editor: it goes.
        {"IF-MIB/system/Uptime",
         {"IF-MIB|ifTable|In Octets", "IF-MIB|ifTable|Out Octets", "HOST|storage|Used",
          "HOST|storage|Octets per Unit"}},
    };
    for (const auto& c : cases) {
        form.reset();
        start();
        sampleLibrary();
        click(c.selected);
        filter("octets");
        trigger("Delete1");
        std::vector<std::string> left;
        for (int i = 0; i < form->document().library().Count(); ++i)
            left.push_back(form->document().library().Entries(i)->name);
        EXPECT_EQ(left, c.left) << c.selected;
    }
}

// Ticking an agent or group ticks what shows under it.
TEST_F(TreeFilterTest, TickingANodeTicksWhatShows) {
    start();
    sampleLibrary();
    trigger("POPrepareAction");
    filter("octets");
    clickBox("IF-MIB");
    EXPECT_EQ(state("IF-MIB/ifTable/In Octets"), CheckedImage);
    EXPECT_EQ(state("IF-MIB/ifTable/Out Octets"), CheckedImage);
    EXPECT_EQ(state("IF-MIB/system/Uptime"), UncheckedImage);
    EXPECT_EQ(state("HOST/storage/Octets per Unit"), UncheckedImage);
}

// One agent of many groups, as a large vendor module gives: each key press refilters it all.
TEST_F(TreeFilterTest, ALargeTreeFiltersAsTheUserTypes) {
    start();
    std::vector<std::pair<std::string, std::string>> entries;
    constexpr int Groups = 688, EntriesPerGroup = 15;
    for (int g = 0; g < Groups; ++g)
        for (int e = 0; e < EntriesPerGroup; ++e)
            entries.push_back({"PowerNet-MIB|group" + std::to_string(g) + "|sensor " + std::to_string(g) +
                                   "." + std::to_string(e),
                               "1.3.6.1.4.1.318." + std::to_string(g) + "." + std::to_string(e)});
    load(entries);
    QElapsedTimer clock;
    clock.start();
    filter("sensor 68");  // 9 key presses
    const qint64 typing = clock.elapsed();
    // Those of group68 and group680 to group687: 9 groups under the agent.
    EXPECT_EQ(shown().size(), 1 + 9 + 9 * EntriesPerGroup);
    clock.restart();
    widget<QLineEdit>("TreeFilter")->clear();
    const qint64 clearing = clock.elapsed();
    EXPECT_EQ(shown().size(), 1 + Groups);
    std::printf("%d entries: typing 9 letters %lld ms, clearing %lld ms\n", Groups * EntriesPerGroup,
                static_cast<long long>(typing), static_cast<long long>(clearing));
    EXPECT_LT(typing + clearing, 10000) << "a key press must not take seconds";
}

}  // namespace
