// Scenarios where the window used to lose the user's work: saves over files, ticks across a
// rebuild, typing during an import, a broken file among several, what the editor accepts, and
// the status bar after a save.
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include "app/commandrunner.h"
#include "app/commands/importcommands.h"
#include "app/editor/partialselection.h"
#include "app/editor/treebuilder.h"
#include "app/qtstrings.h"
#include "formfixture.h"

namespace {

class SafeEditingTest : public FormFixture {
  protected:
    int savedCount(const QString& fileName) {
        toidfile saved;
        EXPECT_EQ(saved.LoadFromFile(PathBytes(fileName)), "");
        return saved.Count();
    }
    static QString fixture(const char* module) {
        return QString::fromStdString(testdata::fixture(std::string("import/") + module + ".mib").string());
    }
    void replaceInNames(const QString& find, const QString& replace) {
        dialogs.answerWindow([=](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("FindEdit")->setText(find);
            dialog.findChild<QLineEdit*>("ReplaceEdit")->setText(replace);
            for (QCheckBox* option : dialog.findChildren<QCheckBox*>())
                option->setChecked(option->objectName() == "NameOption");
        });
        trigger("Findreplace1");
    }
};

TEST_F(SafeEditingTest, PartialSaveAsksBeforeWritingOverAFileAndPlainlyOverTheOpenLibrary) {
    start();
    loadKeys({"a|x|1", "a|x|2", "b|y|1"});
    const QString open = dir.filePath("router.oidlib");
    const QString other = dir.filePath("other.oidlib");
    dialogs.answerFile(open);
    trigger("SaveAs1");
    form->document().library().SaveToFile(PathBytes(other));
    trigger("POPrepareAction");
    clickBox("b");

    struct Case {
        QString target;
        DialogAnswer answer;
        QString says;
        int savedThere;
    };
    for (const Case& c : std::vector<Case>{{open, DialogAnswer::No, "is the library you are editing", 3},
                                           {other, DialogAnswer::No, "already exists", 3},
                                           {other, DialogAnswer::Yes, "already exists", 1}}) {
        dialogs.asked.clear();
        dialogs.answerFile(c.target);
        dialogs.answer(c.answer);
        trigger("POSaveAction");
        ASSERT_EQ(dialogs.asked.size(), 2u);
        EXPECT_EQ(dialogs.asked[1].kind, "warning");
        EXPECT_TRUE(dialogs.asked[1].text.contains(c.says)) << dialogs.asked[1].text.toStdString();
        EXPECT_EQ(dialogs.asked[1].defaultButton, DialogAnswer::No) << "Enter keeps the file";
        EXPECT_EQ(savedCount(c.target), c.savedThere);
        EXPECT_EQ(form->selection().partial(), c.answer == DialogAnswer::No) << "No keeps the mode and ticks";
    }
    EXPECT_FALSE(form->document().unsaved());

    trigger("POPrepareAction");
    clickBox("a/x/2");
    dialogs.answerFile(open);
    dialogs.answer(DialogAnswer::Yes);
    trigger("POSaveAction");
    EXPECT_EQ(savedCount(open), 1);
    EXPECT_TRUE(form->document().unsaved()) << "the file now holds a part: the whole library is unsaved";
    EXPECT_TRUE(form->isWindowModified());
    EXPECT_TRUE(status().endsWith("Groups")) << status().toStdString();

    dialogs.answer(DialogAnswer::No);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(dialogs.asked.back().defaultButton, DialogAnswer::No)
        << "Enter at the exit question keeps the window";
}

TEST_F(SafeEditingTest, TicksSurviveReplaceDeleteRenameAndImport) {
    start();
    loadKeys({"a|x|1", "a|x|2", "b|y|1", "b|y|2"});
    trigger("POPrepareAction");
    clickBox("a/x/1");
    clickBox("b");
    ASSERT_EQ(counter(), "3 / 4");

    replaceInNames("x", "z");
    EXPECT_EQ(state("a/z/1"), CheckedImage);
    EXPECT_EQ(state("a/z/2"), UncheckedImage);
    EXPECT_EQ(state("b"), CheckedImage) << "an agent of the same caption keeps its tick";
    EXPECT_EQ(state("b/y/2"), CheckedImage);
    EXPECT_EQ(counter(), "3 / 4");

    click("b/y/2");
    trigger("Delete1");
    EXPECT_EQ(state("a/z/1"), CheckedImage);
    EXPECT_EQ(state("b/y/1"), CheckedImage);
    EXPECT_EQ(counter(), "2 / 3");

    dialogs.answerFiles({fixture("FIXTURE-TABLES-MIB")});
    dialogs.answerWindow();
    trigger("MIB1");
    EXPECT_EQ(state("a/z/1"), CheckedImage);
    EXPECT_EQ(counter(), "2 / 17") << "the imported entries come unticked";

    trigger("Undo1");  // the import
    EXPECT_EQ(counter(), "2 / 3");
    const QString target = dir.filePath("part.oidlib");
    dialogs.answerFile(target);
    trigger("POSaveAction");
    EXPECT_EQ(savedCount(target), 2) << "Save As writes the ticked entries, not an empty library";
}

TEST_F(SafeEditingTest, NothingTypedDuringAnImportIsLostAndTheEditorFollowsTheTree) {
    start();
    loadKeys({"a|x|1", "b|y|1"});
    trigger("POPrepareAction");
    trigger("POCancelAction");
    click("a/x/1");
    type("Edit6", "pkts");  // unapplied when the import begins: applied, not dropped
    bool editorOpen = true, boxToggled = true;
    QTimer::singleShot(0, form.get(), [&] {  // at the first module search, inside the import
        editorOpen = widget("Panel1")->isEnabled();
        form->selection().enter(UncheckedImage);
        clickBox("b");
        boxToggled = state("b") != UncheckedImage;
        form->selection().leave();
    });
    dialogs.answerFiles({fixture("FIXTURE-TABLES-MIB")});
    dialogs.answerWindow();
    trigger("MIB1");
    EXPECT_FALSE(editorOpen) << "the editor takes no input during the import";
    EXPECT_FALSE(boxToggled) << "nor do the check boxes";
    EXPECT_EQ(form->document().library().Entries(0)->indicator, "pkts");
    EXPECT_TRUE(widget("Panel1")->isEnabled());
    EXPECT_EQ(selectedPath(), "a/x/1") << "the import leaves the selection where it was";
    EXPECT_EQ(form->editing().mode(), EditorMode::Entry) << "the editor shows what the tree selects";
    EXPECT_EQ(form->editing().currentEntry(), form->document().library().Entries(0));
}

TEST_F(SafeEditingTest, ABrokenSecondFileOfThreeReportsTheFirstAndNamesTheOthers) {
    start();
    QByteArray broken = "BROKEN-MIB DEFINITIONS ::= BEGIN\r\n#\r\nEND\r\n";
    QFile file(dir.filePath("BROKEN-MIB.mib"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(broken);
    file.close();
    QStringList log;
    dialogs.answerFiles({fixture("FIXTURE-TABLES-MIB"), file.fileName(), fixture("FIXTURE-SCOPE-MIB")});
    dialogs.answerWindow([](QDialog& window) { EXPECT_EQ(window.windowTitle(), "Parse Error"); });
    dialogs.answerWindow([&](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), "Import Log");
        log = window.findChild<QPlainTextEdit*>("LogMemo")->toPlainText().split('\n');
    });
    trigger("MIB1");
    EXPECT_EQ(form->document().library().Count(), 14) << "the file before the broken one is imported";
    EXPECT_TRUE(log.filter("Report for").join('\n').contains("FIXTURE-TABLES-MIB"))
        << log.join('\n').toStdString();
    EXPECT_FALSE(log.join('\n').contains("FIXTURE-SCOPE-MIB.mib:")) << "no report for the files after it";
    ASSERT_GT(log.indexOf("Import log:"), 2) << "the log follows the report";
    EXPECT_EQ(log[log.indexOf("Import log:") - 2],
              "Not imported: BROKEN-MIB.mib, FIXTURE-SCOPE-MIB.mib (the import stopped at the parse error in "
              "BROKEN-MIB.mib:2).");
}

TEST_F(SafeEditingTest, ApplyRefusesWhatIsNoEntryAndNamesTheField) {
    start();
    loadKeys({"a|x|1"});
    struct Case {
        const char* field;
        QString typed;
        QString says;  // "" when Apply goes ahead
        std::string oid;
    };
    for (const Case& c : std::vector<Case>{{"Edit4", "1.3.6.1.4.1.9.9.x09..1", "OID:", "1.0"},
                                           {"Edit4", "", "OID:", "1.0"},
                                           {"Edit3", "", "Name:", "1.0"},
                                           {"Edit4", ".1.3.6.1", "", "1.3.6.1"}}) {
        dialogs.asked.clear();
        click("a/x/1");
        widget<QLineEdit>(c.field)->clear();
        type(c.field, c.typed);
        trigger("ChangesApplyAction");
        const Toiddata& entry = *form->document().library().Entries(0);
        EXPECT_EQ(entry.oid, c.oid) << c.typed.toStdString();
        if (c.says.isEmpty()) {
            EXPECT_TRUE(dialogs.asked.empty());
            EXPECT_EQ(text("Edit4"), "1.3.6.1") << "the leading dot is dropped";
            continue;
        }
        ASSERT_EQ(dialogs.asked.size(), 1u) << c.typed.toStdString();
        EXPECT_TRUE(dialogs.asked[0].text.startsWith(c.says)) << dialogs.asked[0].text.toStdString();
        EXPECT_EQ(QApplication::focusWidget(), widget(c.field)) << "the focus stays on the field";
        EXPECT_TRUE(form->editing().edited()) << "the edits stay to be mended";
        trigger("ChangesCancelAction");
    }

    trigger("Add1");  // a new entry without a name adds no blank row
    type("Edit4", "1.3");
    trigger("ChangesApplyAction");
    EXPECT_EQ(form->document().library().Count(), 1);
    type("Edit3", "named");
    QTest::keyClick(widget<QLineEdit>("Edit3"), Qt::Key_Return);  // Enter in a field applies
    EXPECT_EQ(form->document().library().Count(), 2);
    EXPECT_FALSE(form->editing().edited());
}

TEST_F(SafeEditingTest, TheStatusBarTellsWhatEverySaveWrote) {
    start();
    loadKeys({"a|x|1", "a|y|1", "b|y|2"});
    const QString counts = "3 OIDs in 3 Groups";
    ASSERT_EQ(status(), counts);
    dialogs.answerFile(dir.filePath("lib.oidlib"));
    trigger("SaveAs1");
    EXPECT_EQ(status(), "Saved 3 entries to " + dir.filePath("lib.oidlib")) << "Save As";
    form->runner().setStatusText(counts);
    trigger("Save1");
    EXPECT_EQ(status(), "Saved 3 entries to " + dir.filePath("lib.oidlib")) << "Save";
    trigger("POPrepareAction");
    dialogs.answerFile(dir.filePath("part.oidlib"));
    trigger("POSaveAction");
    EXPECT_EQ(status(), counts) << "partial Save As";
}

}  // namespace
