#include <QGroupBox>
#include <QLabel>

#include "app/editor/partialselection.h"
#include "app/editor/treebuilder.h"
#include "app/qtstrings.h"
#include "formfixture.h"

namespace {

class SelectionCommandsTest : public FormFixture {
  protected:
    // 3 agents x 4 groups x 10 entries, listed from the last agent to the first.
    void start120() {
        start();
        std::vector<std::string> keys;
        for (const char* agent : {"c", "b", "a"})
            for (int g = 0; g < 4; ++g)
                for (int e = 0; e < 10; ++e)
                    keys.push_back(std::string(agent) + "|g" + std::to_string(g) + "|e" + std::to_string(e));
        loadKeys(keys);
    }
    // The name keys of a saved library, in file order.
    std::vector<std::string> savedKeys(const QString& fileName) {
        toidfile saved;
        EXPECT_EQ(saved.LoadFromFile(PathBytes(fileName)), "");
        std::vector<std::string> keys;
        for (int i = 0; i < saved.Count(); ++i) keys.push_back(saved.Entries(i)->name);
        return keys;
    }
};

TEST_F(SelectionCommandsTest, EnterAllNoneAndCancel) {
    start120();
    EXPECT_EQ(counter(), "0/-");
    for (const char* name : {"POAllAction", "PONoneAction", "POSaveAction", "POCancelAction"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    struct Step {
        const char* command;
        QString counter;
        int entryState;
    };
    for (const Step& step : std::vector<Step>{{"POPrepareAction", "0 / 120", UncheckedImage},
                                              {"POAllAction", "120 / 120", CheckedImage},
                                              {"PONoneAction", "0 / 120", UncheckedImage},
                                              {"POAllAction", "120 / 120", CheckedImage},
                                              {"POPrepareAction", "0 / 120", UncheckedImage}}) {
        trigger(step.command);
        EXPECT_EQ(counter(), step.counter) << step.command;
        EXPECT_EQ(state("b/g2/e7"), step.entryState) << step.command;
        EXPECT_EQ(state("b"), step.entryState) << step.command;
        EXPECT_TRUE(form->selection().partial());
        EXPECT_TRUE(widget("PartialBox")->isVisible());
        EXPECT_FALSE(widget("Panel1")->isEnabled());
        EXPECT_FALSE(action("ChangesApplyAction")->isEnabled());
        for (const char* name : {"POAllAction", "PONoneAction", "POSaveAction", "POCancelAction",
                                 "FindAction", "Findreplace1", "Add1", "Delete1", "Open1"})
            EXPECT_TRUE(action(name)->isEnabled()) << name << " after " << step.command;
    }
    trigger("POCancelAction");
    EXPECT_FALSE(form->selection().partial());
    EXPECT_FALSE(widget("PartialBox")->isVisible());
    EXPECT_TRUE(widget("Panel1")->isEnabled());
    EXPECT_EQ(state("b/g2/e7"), NoCheckImage);
    EXPECT_EQ(state("a"), NoCheckImage);
    EXPECT_EQ(counter(), "0 / 120") << "a hidden counter is not updated";
}

TEST_F(SelectionCommandsTest, TickingCopiesDownwardsOnly) {
    start120();
    trigger("POPrepareAction");
    clickBox("b/g1/e3");
    EXPECT_EQ(counter(), "1 / 120");
    clickBox("b");
    EXPECT_EQ(counter(), "40 / 120") << "the agent's 39 unticked entries join the ticked one";
    EXPECT_EQ(state("b/g3"), CheckedImage);
    EXPECT_EQ(state("b/g3/e9"), CheckedImage);
    EXPECT_EQ(state("a/g0/e0"), UncheckedImage);
    clickBox("b/g3/e9");
    EXPECT_EQ(counter(), "39 / 120");
    EXPECT_EQ(state("b/g3"), CheckedImage) << "ancestors never change";
    EXPECT_EQ(state("b"), CheckedImage);
    clickBox("b/g3");
    EXPECT_EQ(counter(), "30 / 120");
    EXPECT_EQ(state("b/g3/e0"), UncheckedImage);
}

TEST_F(SelectionCommandsTest, SaveWritesTickedEntriesInTreeOrderAndEndsTheMode) {
    start();
    loadKeys({"z|x|2", "a|y|1", "z|x|1", "a|y|1", "m|w|1"});
    form->document().library().Entries(4)->description = "a full copy\r\nof two lines";
    form->document().library().Entries(4)->units = "Packets";
    form->document().setFileName(dir.filePath("router.oidlib"));
    const QString caption = form->windowTitle();
    trigger("POPrepareAction");
    clickBox("z");
    clickBox("m/w/1");
    clickBox("a/y");
    clickBox("a/y/1");  // the group stays ticked: only entry nodes count
    const QString target = dir.filePath("part.oidlib");
    dialogs.answerFile(target);
    trigger("POSaveAction");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].dialog.name, "PartialSaveDialog");
    EXPECT_EQ(dialogs.asked[0].dialog.fileName,
              QDir::toNativeSeparators(dir.path()) + "/Partial router.oidlib");
    EXPECT_EQ(dialogs.asked[0].dialog.filter, "Veltrane SNMP Library|*.oidlib");
    EXPECT_EQ(savedKeys(target), (std::vector<std::string>{"m|w|1", "z|x|1", "z|x|2"}));
    toidfile saved;
    saved.LoadFromFile(PathBytes(target));
    EXPECT_EQ(saved.Entries(0)->description, "a full copy\r\nof two lines");
    EXPECT_EQ(saved.Entries(0)->units, "Packets");
    EXPECT_FALSE(form->selection().partial());
    EXPECT_FALSE(widget("PartialBox")->isVisible());
    EXPECT_EQ(form->windowTitle(), caption);
    EXPECT_FALSE(form->document().unsaved());
    EXPECT_EQ(form->document().library().Count(), 5);
}

TEST_F(SelectionCommandsTest, SavingNothingTickedWritesAnEmptyLibrary) {
    start120();
    trigger("POPrepareAction");
    const QString target = dir.filePath("none.oidlib");
    dialogs.answerFile(target);
    trigger("POSaveAction");
    EXPECT_EQ(dialogs.asked[0].dialog.fileName, "Partial ") << "a library never saved";
    EXPECT_TRUE(savedKeys(target).empty());
    EXPECT_FALSE(form->selection().partial());
}

TEST_F(SelectionCommandsTest, CancelledOrFailedSaveKeepsTheModeAndTicks) {
    start120();
    trigger("POPrepareAction");
    clickBox("a");
    dialogs.answerFile(QString());
    trigger("POSaveAction");
    EXPECT_TRUE(form->selection().partial());
    EXPECT_EQ(counter(), "40 / 120");
    dialogs.answerFile(dir.filePath("missing/folder/part.oidlib"));
    trigger("POSaveAction");
    ASSERT_EQ(dialogs.asked.back().kind, "error");
    EXPECT_TRUE(form->selection().partial());
    EXPECT_EQ(state("a/g0/e0"), CheckedImage);
    EXPECT_EQ(form->document().partialLibrary().Count(), 40) << "the copies of the attempt stay";
}

TEST_F(SelectionCommandsTest, ARebuildKeepsTheModeAndTheTicks) {
    start120();
    trigger("POPrepareAction");
    clickBox("b/g1");
    form->editing().RebuildTree({});
    EXPECT_TRUE(form->selection().partial());
    EXPECT_EQ(state("b/g1/e3"), CheckedImage);
    EXPECT_EQ(state("b/g1"), CheckedImage);
    EXPECT_EQ(state("a/g0/e0"), UncheckedImage) << "every node has its box again";
    EXPECT_EQ(counter(), "10 / 120");
    trigger("PONoneAction");
    EXPECT_EQ(counter(), "0 / 120");
}

TEST_F(SelectionCommandsTest, LeavingTheModeOffersApplyOnlyForEdits) {
    start120();
    click("a/g0/e0");
    trigger("POPrepareAction");
    trigger("POCancelAction");
    EXPECT_FALSE(action("ChangesApplyAction")->isEnabled()) << "Apply on an unchanged editor";
    EXPECT_FALSE(action("ChangesCancelAction")->isEnabled());
    type("Edit4", "9");
    trigger("POPrepareAction");
    EXPECT_FALSE(action("ChangesApplyAction")->isEnabled());
    trigger("POCancelAction");
    EXPECT_TRUE(action("ChangesApplyAction")->isEnabled()) << "the edits are still there to apply";
}

TEST_F(SelectionCommandsTest, EnterPartialSelectionTicksExactlyTheGivenEntries) {
    start();
    loadKeys({"a|x|1", "a|x|2", "a|x|1", "b|y|1"});
    toidfile& library = form->document().library();
    // Entry 0 shares its node with entry 2, which the node is bound to.
    const SelectionCount count =
        form->selection().enterPartialSelection({library.Entries(0), library.Entries(3)});
    EXPECT_EQ(count.ticked, 1);
    EXPECT_EQ(count.total, 3);
    EXPECT_EQ(widget<QLabel>("CounterCountLabel")->text(), "1 / 3");
    EXPECT_EQ(state("b/y/1"), CheckedImage);
    EXPECT_EQ(state("a/x/1"), UncheckedImage);
    EXPECT_EQ(state("b"), UncheckedImage);
    EXPECT_TRUE(widget("PartialBox")->isVisible());
    const SelectionCount again = form->selection().enterPartialSelection({library.Entries(2)});
    EXPECT_EQ(again.ticked, 1);
    EXPECT_EQ(state("a/x/1"), CheckedImage);
    EXPECT_EQ(state("b/y/1"), UncheckedImage);
}

}  // namespace
