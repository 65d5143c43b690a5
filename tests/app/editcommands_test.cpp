#include <QLabel>
#include <QPushButton>

#include "app/editor/partialselection.h"
#include "app/editor/treebuilder.h"
#include "formfixture.h"

namespace {

class EditCommandsTest : public FormFixture {
  protected:
    std::vector<std::string> keys() {
        std::vector<std::string> result;
        for (int i = 0; i < form->document().library().Count(); ++i)
            result.push_back(form->document().library().Entries(i)->name);
        return result;
    }
};

TEST_F(EditCommandsTest, DeleteRemovesWhatTheNodeShows) {
    const std::vector<std::string> library{"n|x|ifIn", "n|x|ifInOctets", "n|Net|1", "n|Network|1",
                                           "n|x|ifIn", "other|y|1",      "a|b",     "solo"};
    struct Case {
        QString node;
        std::vector<std::string> left;
        QString selected;  // the nearest neighbour left, never another agent
    };
    for (const Case& c : std::vector<Case>{
             {"n/x/ifIn",
              {"n|x|ifInOctets", "n|Net|1", "n|Network|1", "other|y|1", "a|b", "solo"},
              "n/x/ifInOctets"},
             {"n/Net",
              {"n|x|ifIn", "n|x|ifInOctets", "n|Network|1", "n|x|ifIn", "other|y|1", "a|b", "solo"},
              "n/Network"},
             {"n", {"other|y|1", "a|b", "solo"}, "(none)"},
             {"a/b/b",
              {"n|x|ifIn", "n|x|ifInOctets", "n|Net|1", "n|Network|1", "n|x|ifIn", "other|y|1", "solo"},
              "(none)"},
             {"solo/solo",
              {"n|x|ifIn", "n|x|ifInOctets", "n|Net|1", "n|Network|1", "n|x|ifIn", "other|y|1", "a|b"},
              "(none)"},
         }) {
        form.reset();
        start();
        loadKeys(library);
        click(c.node);
        type("Edit4", "9");  // unapplied edits of a deleted entry go with it
        trigger("Delete1");
        EXPECT_EQ(keys(), c.left) << c.node.toStdString();
        EXPECT_EQ(node(c.node), nullptr) << c.node.toStdString();
        EXPECT_TRUE(form->document().unsaved());
        EXPECT_EQ(selectedPath(), c.selected) << c.node.toStdString();
        const bool entryShown = c.selected.count('/') == 2;
        EXPECT_EQ(form->editing().mode(), entryShown ? EditorMode::Entry : EditorMode::Inactive);
        EXPECT_FALSE(form->editing().edited());
        EXPECT_TRUE(dialogs.asked.empty()) << "no question";
    }
}

// Delete pressed again and again, then Undo and Redo: each Delete takes the nearest neighbour of
// what went, never another agent, and the nodes the user opened or closed stay so.
TEST_F(EditCommandsTest, DeleteAgainTakesTheNeighbourNeverAnotherAgent) {
    start();
    loadKeys({"a|g|1", "b|g|1", "b|g|2", "b|h|1", "c|g|1"});
    node("a")->setExpanded(false);
    node("c")->setExpanded(true);
    click("b/g/1");
    struct Step {
        const char* command;
        QString selected;
        std::vector<std::string> left;
    };
    for (const Step& step : std::vector<Step>{
             {"Delete1", "b/g/2", {"a|g|1", "b|g|2", "b|h|1", "c|g|1"}},
             {"Delete1", "b/h", {"a|g|1", "b|h|1", "c|g|1"}},
             {"Delete1", "(none)", {"a|g|1", "c|g|1"}},
             {"Delete1", "(none)", {"a|g|1", "c|g|1"}},
             {"Undo1", "(none)", {"a|g|1", "b|h|1", "c|g|1"}},
             {"Redo1", "(none)", {"a|g|1", "c|g|1"}},
         }) {
        trigger(step.command);
        EXPECT_EQ(selectedPath(), step.selected) << step.command;
        EXPECT_EQ(keys(), step.left) << step.command;
        EXPECT_FALSE(node("a")->isExpanded()) << step.command;
        EXPECT_TRUE(node("c")->isExpanded()) << step.command;
    }
}

TEST_F(EditCommandsTest, DeletingTheLastEntryDisablesTheCommandsThatNeedATree) {
    start("[software]\nveltrane\\Zelto%20Network%20Monitor\\V7\\Server\\Core\\exepath=/opt/zelto\n");
    const std::vector<const char*> needTree{
        "Save1",      "SaveAs1",        "SaveToZelto1",       "POPrepareAction",
        "FindAction", "FindNextAction", "FindPreviousAction", "Findreplace1",
        "Find1",      "FindNext2",      "FindNext1",          "EnablePartialSelection1"};
    for (const char* name : needTree) EXPECT_FALSE(action(name)->isEnabled()) << name << " on an empty tree";
    loadKeys({"a|x|1"});
    for (const char* name : needTree) EXPECT_TRUE(action(name)->isEnabled()) << name;
    click("a/x/1");
    trigger("Delete1");
    EXPECT_EQ(form->document().library().Count(), 0);
    for (const char* name : needTree)
        EXPECT_FALSE(action(name)->isEnabled()) << name << " after the last delete";
    for (const char* name : {"NewOIDFile1", "Open1", "Exit1", "Add1", "Delete1"})
        EXPECT_TRUE(action(name)->isEnabled()) << name;
}

TEST_F(EditCommandsTest, DeleteWithoutASelectionIsTheEditorsCancel) {
    start();
    loadKeys({"a|x|1"});
    click("a/x");
    trigger("Add1");
    EXPECT_EQ(text("Edit1"), "a");
    EXPECT_TRUE(form->editing().edited());
    trigger("Delete1");
    EXPECT_EQ(form->document().library().Count(), 1);
    EXPECT_EQ(text("Edit1"), "") << "the prepared entry is dropped";
    EXPECT_FALSE(form->editing().edited());
    EXPECT_FALSE(form->document().unsaved());
}

TEST_F(EditCommandsTest, AddTakesAgentAndGroupFromTheSelectedNode) {
    start();
    loadKeys({"Net|Traffic|In"});
    struct Case {
        QString node;
        QString agent, group;
    };
    for (const Case& c : std::vector<Case>{
             {"Net/Traffic/In", "Net", "Traffic"}, {"Net/Traffic", "Net", "Traffic"}, {"Net", "Net", ""}}) {
        click(c.node);
        trigger("Add1");
        EXPECT_EQ(form->tree().selectedNode(), nullptr) << c.node.toStdString();
        EXPECT_EQ(form->editing().mode(), EditorMode::NewEntry);
        EXPECT_EQ(text("Edit1"), c.agent);
        EXPECT_EQ(text("Edit2"), c.group);
        EXPECT_EQ(text("Edit3"), "");
        EXPECT_TRUE(form->editing().edited());
        EXPECT_TRUE(action("ChangesApplyAction")->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), widget("Edit1"));
        dialogs.answer(DialogAnswer::No);  // the prepared entry is dropped by the next click
    }
    click("Net");
}

TEST_F(EditCommandsTest, AddKeepsTheBytesOfTheNodesAgentAndGroup) {
    start();
    loadKeys(
        {"Gr\xF6\xDF"
         "e|Z\xE4hler|1"});  // Windows-1252 bytes, shown as Größe / Zähler
    click(
        QString::fromUtf8("Gr\xC3\xB6\xC3\x9F"
                          "e/Z\xC3\xA4hler/1"));
    trigger("Add1");
    type("Edit3", "2");
    type("Edit4", "1.2");  // Apply takes only an entry with a name and a numeric OID
    trigger("ChangesApplyAction");
    EXPECT_EQ(keys()[1],
              "Gr\xF6\xDF"
              "e|Z\xE4hler|2");
    EXPECT_EQ(form->tree().topLevelItemCount(), 1) << "under the same agent node";
    click(
        QString::fromUtf8("Gr\xC3\xB6\xC3\x9F"
                          "e"));
    trigger("Add1");
    type("Edit3", "3");  // the agent's own bytes, an empty group
    type("Edit4", "1.3");
    trigger("ChangesApplyAction");
    EXPECT_EQ(keys()[2],
              "Gr\xF6\xDF"
              "e||3");
}

TEST_F(EditCommandsTest, AddOnAnEmptyLibraryGivesOneEntry) {
    start();
    trigger("Add1");
    EXPECT_EQ(form->editing().mode(), EditorMode::NewEntry);
    EXPECT_FALSE(form->editing().edited()) << "nothing selected: nothing written";
    EXPECT_EQ(text("Edit7"), "1");
    type("Edit1", "Host");
    type("Edit2", "Cpu");
    type("Edit3", "Load");
    type("Edit4", "1.3.6.1.4.1.2021.10.1.3.1");
    trigger("ChangesApplyAction");
    EXPECT_EQ(keys(), std::vector<std::string>{"Host|Cpu|Load"});
    EXPECT_EQ(status(), "1 OIDs in 1 Groups");
    EXPECT_TRUE(action("SaveAs1")->isEnabled());
}

TEST_F(EditCommandsTest, AddAsksAboutEditsAndCancelKeepsThem) {
    start();
    loadKeys({"a|x|1"});
    click("a/x/1");
    type("Edit4", "9");
    dialogs.answer(DialogAnswer::Cancel);
    trigger("Add1");
    EXPECT_EQ(form->editing().mode(), EditorMode::Entry);
    EXPECT_EQ(text("Edit4"), "1.09");
    dialogs.answer(DialogAnswer::Yes);
    trigger("Add1");
    EXPECT_EQ(form->document().library().Entries(0)->oid, "1.09");
    EXPECT_EQ(form->editing().mode(), EditorMode::NewEntry);
    EXPECT_EQ(text("Edit1"), "a");
}

TEST_F(EditCommandsTest, AddAndDeleteRunWhilePartialSelectionLasts) {
    start();
    loadKeys({"a|x|1", "b|y|1"});
    trigger("POPrepareAction");
    click("b/y/1");
    trigger("Delete1");
    EXPECT_EQ(keys(), std::vector<std::string>{"a|x|1"});
    EXPECT_TRUE(form->selection().partial());
    click("a");
    trigger("Add1");
    EXPECT_EQ(text("Edit1"), "a");
    EXPECT_FALSE(action("ChangesApplyAction")->isEnabled()) << "completed only after the mode ends";
    EXPECT_FALSE(widget("Panel1")->isEnabled());
    trigger("POCancelAction");
    EXPECT_TRUE(action("ChangesApplyAction")->isEnabled());
    type("Edit3", "2");
    type("Edit4", "1.2");
    trigger("ChangesApplyAction");
    EXPECT_EQ(keys(), (std::vector<std::string>{"a|x|1", "a||2"}));
}

}  // namespace
