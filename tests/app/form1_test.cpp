#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "app/editor/treebuilder.h"
#include "formfixture.h"

namespace {

const QString ExitQuestion =
    "Your latest changes have not been saved yet.\n\rDo you want to exit without saving your changes?";
const QString ApplyQuestion = "Data was edited.\r\nApply the changes?";

QString programFolder() {
    return QCoreApplication::applicationDirPath() + "/";
}

using Form1Test = FormFixture;

TEST_F(Form1Test, StartsEmptyWithoutStoredSettings) {
    start();
    EXPECT_EQ(form->windowTitle(), "Veltrane Oidwright V2.1.1 for Zelto 7  - [*]");  // "*" while unsaved
    EXPECT_EQ(status(), "0 OIDs in 0 Groups");
    EXPECT_EQ(form->tree().nodeCount(), 0);
    EXPECT_EQ(form->folders().libraryFolder(), programFolder());
    EXPECT_EQ(form->folders().mibFolder(), programFolder());
    EXPECT_EQ(form->folders().monitorFolder(), "");
    EXPECT_FALSE(action("SaveToZelto1")->isVisible());
    EXPECT_FALSE(form->document().unsaved());
    EXPECT_FALSE(form->editing().edited());
    EXPECT_EQ(form->editing().mode(), EditorMode::Inactive);
    for (const char* control :
         {"Edit1", "Edit4", "Edit5", "Edit7", "ComboBox1", "ComboBox3", "isunsignedCheckBox", "Memo1"})
        EXPECT_FALSE(widget(control)->isEnabled()) << control;
    EXPECT_FALSE(action("ChangesApplyAction")->isEnabled());
    EXPECT_FALSE(widget<QPushButton>("Button2")->isEnabled());
    EXPECT_FALSE(QFile::exists(dir.filePath("machine.ini"))) << "reading the settings created a key";
}

TEST_F(Form1Test, StoredFoldersGetTheirSeparator) {
    start(
        "[software]\nveltrane\\Zelto%20Network%20Monitor\\V7\\Server\\Core\\exepath=/opt/zelto\n"
        "Veltrane\\Oidwright\\mibpath=/srv/mibs\nVeltrane\\Oidwright\\oidpath=\n");
    EXPECT_EQ(form->folders().monitorFolder(), "/opt/zelto/");
    EXPECT_TRUE(action("SaveToZelto1")->isVisible());
    EXPECT_EQ(form->folders().mibFolder(), "/srv/mibs/");
    EXPECT_EQ(form->folders().libraryFolder(), programFolder()) << "an empty stored value counts as none";
}

TEST_F(Form1Test, LayoutCarriesTheControlsCaptionsAndShortcuts) {
    start();
    EXPECT_EQ(widget("Panel1")->width(), 409);
    EXPECT_EQ(form->centralWidget()->height() + form->statusBar()->height(), 571);
    EXPECT_EQ(form->width(), 854);
    for (auto [box, caption] :
         std::vector<std::pair<const char*, QString>>{{"GroupBox1", "Identification"},
                                                      {"GroupBox2", "Source"},
                                                      {"GroupBox3", "Value"},
                                                      {"GroupBox4", "Description"},
                                                      {"PartialBox", "Selection for Partial OIDLIB"}})
        EXPECT_EQ(widget<QGroupBox>(box)->title(), caption);
    EXPECT_FALSE(widget("PartialBox")->isVisible());
    EXPECT_FALSE(widget("CheckBox1")->isVisible());
    const QStringList units{"Bytes", "Percent", "Custom"};
    for (int i = 0; i < units.size(); ++i) EXPECT_EQ(widget<QComboBox>("ComboBox3")->itemText(i), units[i]);
    for (auto [name, caption, keys] : std::vector<std::tuple<const char*, QString, QKeySequence>>{
             {"NewOIDFile1", "&New...", QKeySequence::New},
             {"Open1", "&Open...", QKeySequence::Open},
             {"Save1", "&Save", QKeySequence::Save},
             {"Exit1", "E&xit", QKeySequence::Quit},
             {"SaveToZelto1", "Save for &Zelto Network Monitor", {}},
             {"Delete1", "&Delete OID", QKeySequence("Ctrl+X")},
             {"Find1", "&Find...", QKeySequence("Ctrl+F")},
             {"FindNext2", "Find &Next", QKeySequence("F3")},
             {"FindNext1", "Find &Previous", QKeySequence("Shift+F3")},
             {"ShowLog1", "Show Import &Log...", {}},
             {"ChangesCancelAction", "Cancel", QKeySequence("Esc")}}) {
        EXPECT_EQ(action(name)->text(), caption) << name;
        EXPECT_EQ(action(name)->shortcut(), keys) << name;
    }
    for (auto [menu, caption] : std::vector<std::pair<const char*, QString>>{
             {"File1", "&File"}, {"Search1", "&Edit"}, {"Import1", "&Import"}, {"Help1", "&Help"}})
        EXPECT_EQ(widget<QMenu>(menu)->title(), caption);
    EXPECT_FALSE(action("WritetoHTML1")->isVisible());
}

TEST_F(Form1Test, CloseQueryAsksForUnsavedChangesAndPendingEdits) {
    struct Case {
        bool unsaved, edited;
        std::optional<DialogAnswer> answer;
        bool closes;
    };
    for (const Case& c : std::vector<Case>{{true, false, DialogAnswer::No, false},
                                           {true, false, DialogAnswer::Yes, true},
                                           {false, true, DialogAnswer::No, false},
                                           {false, true, DialogAnswer::Yes, true},
                                           {false, false, {}, true}}) {
        form.reset();
        dialogs.asked.clear();
        start();
        loadKeys({"a|x|1"});
        click("a/x/1");
        if (c.edited) type("Edit4", ".5");
        form->document().setUnsaved(c.unsaved);
        if (c.answer) dialogs.answer(*c.answer);
        trigger("Exit1");
        EXPECT_EQ(form->isVisible(), !c.closes);
        ASSERT_EQ(dialogs.asked.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(dialogs.asked[0].kind, "warning");
            EXPECT_EQ(dialogs.asked[0].text, ExitQuestion);
        }
        if (!c.closes) {
            EXPECT_EQ(form->document().unsaved(), c.unsaved);
            EXPECT_EQ(form->editing().edited(), c.edited);
            EXPECT_EQ(form->document().library().Count(), 1);
        }
    }
}

TEST_F(Form1Test, CtrlXInAFocusedEditCutsTextAndNeverDeletesEntries) {
    start();
    loadKeys({"a|x|1"});
    click("a/x/1");
    action("Delete1")->setEnabled(true);  // as it is whenever an entry is selected
    QSignalSpy deletes(action("Delete1"), &QAction::triggered);
    for (const char* name : {"Edit4", "Memo1"}) {
        QWidget* edit = widget(name);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        EXPECT_EQ(deletes.count(), 0) << name;
    }
    EXPECT_EQ(text("Edit4"), "");
    EXPECT_TRUE(form->editing().edited());
    form->tree().setFocus();
    QTest::keyClick(&form->tree(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(deletes.count(), 1) << "in the tree Ctrl+X is Delete OID";
}

TEST_F(Form1Test, EditorShowsEveryFieldAndWritesItBack) {
    start();
    auto entry = std::make_unique<Toiddata>();
    Toiddata& e = *entry;
    e.name = "Host|Storage|Used";
    e.oid = "1.3.6.1.2.1.25.2.3.1.6";
    e.kind = TMIBDataKind::mkTable;
    e.type = TValueMode::vmDiff;
    e.unittype = TUnitType::sutCustom;
    e.units = "kbytes";
    e.indicator = "kB";
    e.scale = "1024";
    e.multiply = true;
    e.isunsigned = false;
    e.is64bit = true;
    e.usegetnext = true;
    e.max = 77;
    e.description = "one\r\ntwo\rthree\nfour";
    form->document().library().Add(std::move(entry));
    form->editing().RebuildTree({});
    click("Host/Storage/Used");

    EXPECT_EQ(form->editing().mode(), EditorMode::Entry);
    EXPECT_EQ(form->editing().currentEntry(), &e);
    EXPECT_EQ(text("Edit1"), "Host");
    EXPECT_EQ(text("Edit2"), "Storage");
    EXPECT_EQ(text("Edit3"), "Used");
    EXPECT_EQ(text("Edit4"), "1.3.6.1.2.1.25.2.3.1.6");
    EXPECT_EQ(widget<QComboBox>("ComboBox1")->currentText(), "Table");
    EXPECT_EQ(widget<QComboBox>("ComboBox2")->currentText(), "Delta");
    EXPECT_EQ(widget<QComboBox>("ComboBox3")->currentText(), "Custom");
    EXPECT_EQ(widget<QComboBox>("ComboBox4")->currentText(), "Multiply");
    EXPECT_EQ(text("Edit5"), "kbytes");
    EXPECT_EQ(text("Edit6"), "kB");
    EXPECT_EQ(text("Edit7"), "1024");
    EXPECT_FALSE(widget<QCheckBox>("isunsignedCheckBox")->isChecked());
    EXPECT_TRUE(widget<QCheckBox>("is64bitCheckBox")->isChecked());
    EXPECT_FALSE(widget<QCheckBox>("isfloatCheckBox")->isChecked());
    EXPECT_TRUE(widget<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_EQ(widget<QPlainTextEdit>("Memo1")->document()->blockCount(), 4);
    EXPECT_TRUE(widget("Edit5")->isEnabled()) << "the unit edit is enabled whatever the unit type";
    EXPECT_FALSE(form->editing().edited()) << "loading the controls must not count as an edit";
    EXPECT_FALSE(action("ChangesApplyAction")->isEnabled());

    widget<QComboBox>("ComboBox1")->setCurrentIndex(0);
    widget<QComboBox>("ComboBox2")->setCurrentIndex(0);
    widget<QComboBox>("ComboBox3")->setCurrentIndex(1);
    widget<QComboBox>("ComboBox4")->setCurrentIndex(0);
    QTest::mouseClick(widget<QCheckBox>("isfloatCheckBox"), Qt::LeftButton);
    QTest::mouseClick(widget<QCheckBox>("isunsignedCheckBox"), Qt::LeftButton);
    widget<QLineEdit>("Edit7")->setText(" 1e3 ");
    EXPECT_TRUE(form->editing().edited());
    trigger("ChangesApplyAction");

    EXPECT_EQ(e.kind, TMIBDataKind::mkDirect);
    EXPECT_EQ(e.type, TValueMode::vmAbsolute);
    EXPECT_EQ(e.unittype, TUnitType::sutPercent);
    EXPECT_FALSE(e.multiply);
    EXPECT_TRUE(e.isfloat);
    EXPECT_TRUE(e.isunsigned);
    EXPECT_TRUE(e.is64bit);
    EXPECT_TRUE(e.usegetnext);
    EXPECT_EQ(e.scale, " 1e3 ") << "texts are taken unchanged";
    EXPECT_EQ(e.description, "one\r\ntwo\rthree\nfour") << "an unchanged text is written back byte for byte";
    EXPECT_EQ(e.max, 77) << "no control shows max";
    EXPECT_TRUE(form->document().unsaved());
    EXPECT_FALSE(form->editing().edited());
    EXPECT_FALSE(action("ChangesApplyAction")->isEnabled());
    EXPECT_FALSE(action("ChangesCancelAction")->isEnabled());
}

TEST_F(Form1Test, ApplyWithTheSameKeyLeavesTheTreeAlone) {
    start();
    loadKeys({"a|x|1", "a|x|2"});
    click("a/x/2");
    TreeNode* selected = form->tree().selectedNode();
    type("Edit4", "9");
    trigger("ChangesApplyAction");
    EXPECT_EQ(form->tree().selectedNode(), selected) << "the nodes were rebuilt";
    EXPECT_EQ(form->document().library().Entries(1)->oid, "1.19");
}

TEST_F(Form1Test, BarTypedIntoAgentMovesTheSplit) {
    start();
    loadKeys({"a|x|1"});
    click("a/x/1");
    widget<QLineEdit>("Edit1")->setCursorPosition(1);
    type("Edit1", "|b");
    trigger("ChangesApplyAction");
    EXPECT_EQ(form->document().library().Entries(0)->name, "a|b|x|1");
    EXPECT_EQ(text("Edit1"), "a|b") << "the editor keeps what was typed";
    ASSERT_NE(node("a/b/x|1"), nullptr);
    EXPECT_EQ(form->tree().selectedNode(), node("a/b/x|1"));
    EXPECT_EQ(form->editing().currentEntry(), form->document().library().Entries(0));
}

TEST_F(Form1Test, NewEntryModeCreatesTheEntryOnApply) {
    start();
    loadKeys({"a|x|1"});
    form->tree().selectNode(nullptr);  // as Add OID clears the selection
    EXPECT_EQ(form->editing().mode(), EditorMode::NewEntry);
    EXPECT_TRUE(widget("Edit5")->isEnabled());
    EXPECT_EQ(text("Edit7"), "1");
    EXPECT_TRUE(widget<QCheckBox>("isunsignedCheckBox")->isChecked());
    EXPECT_FALSE(widget<QCheckBox>("is64bitCheckBox")->isChecked());
    EXPECT_FALSE(widget<QCheckBox>("isfloatCheckBox")->isChecked());
    type("Edit1", "b");
    type("Edit2", "y");
    type("Edit3", "2");
    type("Edit4", "1.3.6.1");  // Apply takes only an entry with a name and a numeric OID
    trigger("ChangesApplyAction");
    ASSERT_EQ(form->document().library().Count(), 2);
    EXPECT_EQ(form->document().library().Entries(1)->name, "b|y|2");
    EXPECT_EQ(form->editing().currentEntry(), form->document().library().Entries(1));
    EXPECT_EQ(form->editing().mode(), EditorMode::Entry);
    EXPECT_EQ(form->tree().selectedNode(), node("b/y/2"));
    EXPECT_EQ(status(), "2 OIDs in 2 Groups");
}

TEST_F(Form1Test, AgentAndGroupNodesMakeTheEditorInactive) {
    start();
    loadKeys({"a|x|1"});
    click("a/x/1");
    click("a/x");
    EXPECT_EQ(form->editing().mode(), EditorMode::Inactive);
    EXPECT_EQ(form->editing().currentEntry(), nullptr);
    EXPECT_FALSE(widget("Edit1")->isEnabled());
    EXPECT_EQ(text("Edit1"), "");
}

TEST_F(Form1Test, MovingAwayFromEditsAsksWhatToDo) {
    struct Case {
        DialogAnswer answer;
        std::string selectedAfter;
        std::string oidAfter;
        bool edited, unsaved;
    };
    for (const Case& c : std::vector<Case>{{DialogAnswer::Cancel, "a/x/1", "1.0", true, false},
                                           {DialogAnswer::No, "b/y/2", "1.0", false, false},
                                           {DialogAnswer::Yes, "a/x/1", "1.07", false, true}}) {
        form.reset();
        dialogs.asked.clear();
        start();
        loadKeys({"a|x|1", "b|y|2"});
        click("a/x/1");
        type("Edit4", "7");
        dialogs.answer(c.answer);
        click("b/y/2");
        const std::string selected = [&] {
            TreeNode* n = form->tree().selectedNode();
            return n ? (n->parent()->parent()->text(0) + "/" + n->parent()->text(0) + "/" + n->caption())
                           .toStdString()
                     : std::string();
        }();
        EXPECT_EQ(selected, c.selectedAfter);
        EXPECT_EQ(form->document().library().Entries(0)->oid, c.oidAfter);
        EXPECT_EQ(form->editing().edited(), c.edited);
        EXPECT_EQ(form->document().unsaved(), c.unsaved);
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].kind, "confirm");
        EXPECT_EQ(dialogs.asked[0].text, ApplyQuestion);
        EXPECT_EQ(dialogs.asked[0].defaultButton, DialogAnswer::Yes) << "Enter applies: the edits are kept";
    }
}

TEST_F(Form1Test, ExpandingNeverAsksAndLeavesNoApprovalBehind) {
    start();
    loadKeys({"a|x|1", "b|y|2"});
    click("a/x/1");
    type("Edit4", "7");
    OidTreeView& tree = form->tree();
    TreeNode* b = node("b");
    const QRect row = tree.visualItemRect(b);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                      QPoint(row.left() - tree.indentation() / 2, row.center().y()));
    EXPECT_TRUE(b->isExpanded());
    EXPECT_TRUE(dialogs.asked.empty()) << "the expand arrow asked the change question";

    // A later keyboard move onto that node still asks; Cancel keeps the edits.
    dialogs.answer(DialogAnswer::Cancel);
    tree.setCurrentItem(b);
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(tree.selectedNode(), node("a/x/1"));
    EXPECT_EQ(text("Edit4"), "1.07");
}

TEST_F(Form1Test, AFailureInATreeClickShowsAnErrorBoxAndKeepsTheWindow) {
    start();
    loadKeys({"a|x|1", "b|y|2"});
    click("a/x/1");
    type("Edit4", "7");
    dialogs.failWith("broken question");
    click("b/y/2");
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].kind, "error");
    EXPECT_EQ(dialogs.asked[1].text, "broken question");
    EXPECT_EQ(form->tree().selectedNode(), node("a/x/1")) << "a failed question refuses the move";
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->editing().edited());
}

TEST_F(Form1Test, YesMarksUnsavedEvenWhenNothingChanged) {
    start();
    loadKeys({"a|x|1", "a|x|2"});
    click("a/x/1");
    type("Edit4", "5");
    widget<QLineEdit>("Edit4")->setText("1.0");  // back to the old value, still an edit
    dialogs.answer(DialogAnswer::Yes);
    click("a/x/2");
    EXPECT_TRUE(form->document().unsaved());
    EXPECT_EQ(form->editing().currentEntry(), form->document().library().Entries(0));
}

TEST_F(Form1Test, NewEntryModeWithoutApplyAsksAgainAtEveryMove) {
    start();
    loadKeys({"a|x|1"});
    form->tree().selectNode(nullptr);
    type("Edit3", "n");
    dialogs.answer(DialogAnswer::Yes);
    click("a/x/1");
    EXPECT_EQ(form->document().library().Count(), 1) << "only Apply creates the new entry";
    EXPECT_TRUE(form->editing().edited());
    dialogs.answer(DialogAnswer::No);
    click("a/x/1");
    EXPECT_EQ(form->editing().mode(), EditorMode::Entry);
    EXPECT_EQ(dialogs.asked.size(), 2u);
}

TEST_F(Form1Test, CancelAndEscapeDiscardTheEdits) {
    start();
    loadKeys({"a|x|1"});
    click("a/x/1");
    type("Edit4", "9");
    trigger("ChangesCancelAction");
    EXPECT_EQ(text("Edit4"), "1.0");
    EXPECT_FALSE(form->editing().edited());
    EXPECT_TRUE(form->isVisible()) << "Cancel does not close the window";

    type("Edit3", "z");
    QTest::keyClick(widget("Edit3"), Qt::Key_Escape);
    EXPECT_EQ(text("Edit3"), "1");
    EXPECT_FALSE(action("ChangesCancelAction")->isEnabled());

    form->tree().selectNode(nullptr);
    type("Edit1", "q");
    trigger("ChangesCancelAction");
    EXPECT_EQ(form->editing().mode(), EditorMode::NewEntry);
    EXPECT_EQ(text("Edit1"), "");
}

}  // namespace
