#include "app/commands/undocommands.h"

#include <QCheckBox>
#include <QKeySequence>
#include <QPlainTextEdit>

#include "app/editor/treebuilder.h"
#include "formfixture.h"

namespace {

class UndoCommandsTest : public FormFixture {
  protected:
    // The library's name keys and OIDs, in order: "a|x|1=1.0 ...".
    QString library() {
        QStringList entries;
        const toidfile& lib = form->document().library();
        for (int i = 0; i < lib.Count(); ++i)
            entries << QString::fromStdString(lib.Entries(i)->name + "=" + lib.Entries(i)->oid);
        return entries.join(' ');
    }
    // Undo or Redo as the menu offers it, with the change it names.
    void step(const char* row, const QString& caption) {
        EXPECT_EQ(action(row)->text(), caption);
        trigger(row);
    }
    bool marked() { return form->isWindowModified(); }
};

TEST_F(UndoCommandsTest, EveryKindOfChangeIsUndoneAndRedoneWithTheCaption) {
    start();
    loadKeys({"a|x|1", "a|x|2", "b|y|1"});
    const QString opened = library();
    EXPECT_FALSE(action("Undo1")->isEnabled()) << "nothing to undo in a library just opened";
    EXPECT_TRUE(form->windowTitle().endsWith("[*]"));
    EXPECT_FALSE(marked());

    struct Change {
        const char* name;
        std::function<void()> make;
        QString after;
    };
    const std::vector<Change> changes{
        {"Apply",
         [&] {
             click("a/x/1");
             type("Edit4", "5");
             trigger("ChangesApplyAction");
         },
         "a|x|1=1.05 a|x|2=1.1 b|y|1=1.2"},
        {"Add",
         [&] {
             trigger("Add1");
             type("Edit3", "3");
             type("Edit4", "1.3");
             trigger("ChangesApplyAction");
         },
         "a|x|1=1.05 a|x|2=1.1 b|y|1=1.2 a|x|3=1.3"},
        {"Delete",
         [&] {
             click("b");
             trigger("Delete1");
         },
         "a|x|1=1.05 a|x|2=1.1 a|x|3=1.3"},
        {"Replace",
         [&] {
             dialogs.answerWindow([](QDialog& dialog) {
                 dialog.findChild<QLineEdit*>("FindEdit")->setText("x");
                 dialog.findChild<QLineEdit*>("ReplaceEdit")->setText("z");
                 for (QCheckBox* option : dialog.findChildren<QCheckBox*>())
                     option->setChecked(option->objectName() == "NameOption");
             });
             trigger("Findreplace1");
         },
         "a|z|1=1.05 a|z|2=1.1 a|z|3=1.3"},
        {"Import",
         [&] {
             dialogs.answerFiles(
                 {QString::fromStdString(testdata::fixture("import/FIXTURE-TABLES-MIB.mib").string())});
             dialogs.answerWindow();  // the import log
             trigger("MIB1");
         },
         {}},
    };
    std::vector<QString> states{opened};
    for (const Change& change : changes) {
        change.make();
        if (!change.after.isEmpty()) {
            EXPECT_EQ(library(), change.after) << change.name;
        }
        EXPECT_TRUE(marked()) << change.name;
        states.push_back(library());
    }
    EXPECT_EQ(form->document().library().Count(), 3 + 14) << "the import added its entries";

    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        step("Undo1", QString("&Undo ") + change->name);
        states.pop_back();
        EXPECT_EQ(library(), states.back()) << "undo " << change->name;
        EXPECT_TRUE(status().endsWith(" Groups")) << status().toStdString();
    }
    EXPECT_FALSE(marked()) << "back at the library as opened";
    EXPECT_FALSE(form->document().unsaved());
    EXPECT_FALSE(action("Undo1")->isEnabled());
    EXPECT_EQ(text("Edit4"), "") << "the editor shows no entry of the undone changes";

    for (const Change& change : changes) {
        step("Redo1", QString("&Redo ") + change.name);
        if (!change.after.isEmpty()) {
            EXPECT_EQ(library(), change.after) << "redo " << change.name;
        }
        EXPECT_TRUE(marked());
    }
    EXPECT_FALSE(action("Redo1")->isEnabled());
}

TEST_F(UndoCommandsTest, UndoToTheSavedStateClearsTheMarkAndTheEditorFollows) {
    start();
    loadKeys({"a|x|1", "a|x|2"});
    const QString file = dir.filePath("lib.oidlib");
    click("a/x/2");
    type("Edit6", "pkts");
    dialogs.answerFile(file);
    trigger("SaveAs1");  // applies the edit first, then saves
    EXPECT_EQ(form->windowTitle(), TForm1::CaptionPrefix() + file + "[*]");
    EXPECT_FALSE(marked());
    type("Edit6", "/s");
    trigger("ChangesApplyAction");
    EXPECT_TRUE(marked());
    type("Edit6", "!");
    EXPECT_FALSE(action("Undo1")->isEnabled()) << "unapplied edits are settled first";
    trigger("ChangesCancelAction");
    trigger("Undo1");
    EXPECT_FALSE(marked()) << "the saved state again";
    EXPECT_EQ(text("Edit6"), "pkts") << "the editor shows its entry as it is now";
    EXPECT_EQ(form->editing().currentEntry(), form->document().library().Entries(1));
    trigger("Undo1");
    EXPECT_TRUE(marked()) << "before the saved state";
    EXPECT_EQ(text("Edit6"), "");
    trigger("Redo1");
    EXPECT_FALSE(marked());
}

TEST_F(UndoCommandsTest, KeysIconsAndTheDeleteKeyInTheTree) {
    start();
    loadKeys({"a|x|1", "b|y|1"});
    EXPECT_TRUE(action("Undo1")->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Z)));
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        EXPECT_TRUE(action("Redo1")->shortcuts().contains(keys)) << keys.toString().toStdString();
    EXPECT_EQ(action("Undo1")->icon().name(), QIcon::fromTheme("edit-undo").name());

    click("a/x/1");
    type("Edit3", "2");  // the Delete key in a field deletes a character, not entries
    QTest::keyClick(widget<QLineEdit>("Edit3"), Qt::Key_Delete);
    EXPECT_EQ(form->document().library().Count(), 2);
    trigger("ChangesCancelAction");
    form->tree().setFocus();
    QTest::keyClick(&form->tree(), Qt::Key_Delete);
    EXPECT_EQ(library(), "b|y|1=1.1") << "the tree's Delete key does Delete OID";
    trigger("Undo1");
    EXPECT_EQ(library(), "a|x|1=1.0 b|y|1=1.1");
}

}  // namespace
