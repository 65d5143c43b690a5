#include "app/commands/filecommands.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>

#include "app/editor/entryeditor.h"
#include "app/qtstrings.h"
#include "formfixture.h"

namespace {

const QString DiscardQuestion =
    "Your latest changes have not been saved yet.\n\rDo you want to proceed without saving?";
const QString Prefix = "Veltrane Oidwright V2.1.1 for Zelto 7  - ";
// The file name is followed by the desktop's mark of unsaved changes.
const QString Mark = "[*]";

class FileCommandsTest : public FormFixture {
  protected:
    QString sample() const { return QString::fromStdString(testdata::fixture("app/sample.oidlib").string()); }
    QString fixture(const char* name) const {
        return QString::fromStdString(testdata::fixture(name).string());
    }

    // Starts with the monitor installed in the temporary folder and opens the sample library.
    void startAndOpenSample() {
        start("[software]\nveltrane\\Zelto%20Network%20Monitor\\V7\\Server\\Core\\exepath=" +
              dir.filePath("zelto").toUtf8() + "\n");
        dialogs.answerFile(sample());
        trigger("Open1");
        dialogs.asked.clear();
    }

    // Opens a copy of the sample library named name in the temporary folder; returns its path.
    QString openCopyOfSample(const QString& name) {
        const QString copy = dir.filePath(name);
        EXPECT_TRUE(QFile::copy(sample(), copy));
        dialogs.answerFile(copy);
        trigger("Open1");
        return copy;
    }

    QByteArray bytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(FileCommandsTest, OpenLoadsTheLibraryAndRemembersItsFolder) {
    start();
    dialogs.answerFile(sample());
    trigger("Open1");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "open");
    EXPECT_EQ(dialogs.asked[0].dialog.name, "Open");
    EXPECT_EQ(dialogs.asked[0].dialog.filter, "Veltrane SNMP Library|*.oidlib");
    EXPECT_EQ(dialogs.asked[0].dialog.initialDir, QCoreApplication::applicationDirPath() + "/");
    EXPECT_EQ(form->document().library().Count(), 22);
    EXPECT_EQ(status(), "22 OIDs in 11 Groups");
    EXPECT_EQ(form->windowTitle(), Prefix + sample() + Mark);
    EXPECT_EQ(form->document().fileName(), sample());
    EXPECT_EQ(form->tree().selectedNode(), node("Cisco")) << "the first agent is selected";
    EXPECT_EQ(form->editing().mode(), EditorMode::Inactive);
    const QString folder = QFileInfo(sample()).absolutePath() + "/";
    EXPECT_EQ(form->folders().libraryFolder(), folder);
    EXPECT_EQ(settings->read(ProgramKey, "oidpath"), folder);

    dialogs.answerFile(sample());
    trigger("Open1");
    EXPECT_EQ(form->document().library().Count(), 22) << "a second open replaces the library";
    EXPECT_EQ(dialogs.asked.back().dialog.initialDir, folder);
}

TEST_F(FileCommandsTest, OpenSaysWhereAnOidIsNoDottedDecimal) {
    start();
    dialogs.answerFile(fixture("library/odd-oids.oidlib"));
    trigger("Open1");
    EXPECT_EQ(form->document().library().Count(), 3) << "every entry is kept";
    EXPECT_EQ(status(),
              "Line 3: OID \"4294967296\" of \"A|b|big\" is no OID of at most 128 dotted decimals within "
              "0..4294967295: kept as it is (1 more like it)");
}

TEST_F(FileCommandsTest, UnsavedChangesAndPendingEditsAreGuardedBeforeNewAndOpen) {
    struct Case {
        const char* command;
        bool unsaved, edited;
        DialogAnswer answer;
        size_t questions;  // the warning, then the file dialog when it goes on
        int countAfter;
    };
    for (const Case& c : std::vector<Case>{{"Open1", true, false, DialogAnswer::No, 1, 22},
                                           {"NewOIDFile1", true, false, DialogAnswer::No, 1, 22},
                                           {"NewOIDFile1", true, false, DialogAnswer::Yes, 1, 0},
                                           {"Open1", true, false, DialogAnswer::Yes, 2, 22},
                                           {"NewOIDFile1", false, true, DialogAnswer::No, 1, 22},
                                           {"Open1", false, true, DialogAnswer::No, 1, 22},
                                           {"NewOIDFile1", false, true, DialogAnswer::Yes, 1, 0}}) {
        form.reset();
        startAndOpenSample();
        click("Host/Processor/Load");
        if (c.edited) type("Edit4", "9");
        form->document().setUnsaved(c.unsaved);
        dialogs.answer(c.answer);
        if (c.questions == 2) dialogs.answerFile(QString());  // the file dialog is cancelled
        trigger(c.command);
        ASSERT_EQ(dialogs.asked.size(), c.questions) << c.command;
        EXPECT_EQ(dialogs.asked[0].text, DiscardQuestion);
        EXPECT_EQ(dialogs.asked[0].defaultButton, DialogAnswer::No) << "Enter keeps the work";
        EXPECT_EQ(form->document().library().Count(), c.countAfter) << c.command;
        EXPECT_EQ(form->document().unsaved(), c.unsaved && c.countAfter == 22)
            << c.command << ": the mark goes only with the library, not with a cancelled Open";
        if (c.edited && c.answer == DialogAnswer::No) {
            EXPECT_EQ(text("Edit4"), "1.3.6.1.2.1.25.3.3.1.29");
        }
    }
}

TEST_F(FileCommandsTest, NewEmptiesEverything) {
    startAndOpenSample();
    click("Host/Processor/Load");
    type("Edit4", "9");
    dialogs.answer(DialogAnswer::Yes);
    trigger("NewOIDFile1");
    EXPECT_EQ(form->document().library().Count(), 0);
    EXPECT_EQ(form->tree().nodeCount(), 0);
    EXPECT_EQ(status(), "0 OIDs in 0 Groups");
    EXPECT_EQ(form->windowTitle(), Prefix + Mark);
    EXPECT_EQ(form->document().fileName(), "");
    EXPECT_FALSE(form->editing().edited());
    EXPECT_EQ(form->editing().mode(), EditorMode::Inactive);
}

// A file that is refused or cannot be read leaves the library on screen as it was, and the
// message names the file and, for broken XML, its line.
TEST_F(FileCommandsTest, AFailedOpenLeavesTheLibraryAsItWas) {
    const QString future = dir.filePath("future.oidlib");
    QFile file(future);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\" ?>\r\n<oidlist><system><version>2</version></system><list/></oidlist>");
    file.close();
    const QString cut = fixture("library/unclosed-comment.oidlib");
    const QString mismatch = fixture("app/mismatch.oidlib");
    const QString missing = fixture("app/missing.oidlib");
    const QString twoLists = fixture("library/empty-list-first.oidlib");
    struct Case {
        QString file, kind, text;
    };
    for (const Case& c : std::vector<Case>{
             {fixture("app/bom.oidlib"), "information", "Can not open encrypted oid file."},
             {mismatch, "error", mismatch + ":4: XML Parser mismatch: Wanted </system>, got </System>"},
             {cut, "error", cut + ":9: End of file inside a comment"},
             {twoLists, "error",
              twoLists + ":3: A second <list> (the first is on line 2): a library holds one list of entries"},
             {missing, "error", "Cannot open file \"" + missing + "\". No such file or directory"},
             {future, "error",
              "Cannot read the library \"" + future +
                  "\": its version is \"2\", this program reads version 1."}}) {
        form.reset();
        startAndOpenSample();
        click("Host/Processor/Load");
        type("Edit6", "pkts");
        trigger("ChangesApplyAction");
        node("Cisco")->setExpanded(true);
        const QString before = status();
        dialogs.answer(DialogAnswer::Yes);  // proceed without saving the applied edit
        dialogs.answerFile(c.file);
        trigger("Open1");
        ASSERT_EQ(dialogs.asked.size(), 3u) << c.file.toStdString();
        EXPECT_EQ(dialogs.asked[2].kind, c.kind) << c.file.toStdString();
        EXPECT_EQ(dialogs.asked[2].text.toStdString(), c.text.toStdString());
        EXPECT_EQ(form->document().library().Count(), 22) << c.file.toStdString();
        EXPECT_TRUE(form->document().unsaved()) << "the applied edit is still to be saved";
        EXPECT_TRUE(form->document().history().CanUndo());
        EXPECT_EQ(form->document().fileName(), sample());
        EXPECT_EQ(form->windowTitle(), Prefix + sample() + Mark);
        EXPECT_EQ(form->tree().selectedNode(), node("Host/Processor/Load")) << "the tree was left alone";
        EXPECT_TRUE(node("Cisco")->isExpanded());
        EXPECT_EQ(text("Edit6"), "pkts");
        EXPECT_EQ(status(), before) << "no \"Loading...\" left behind";
        EXPECT_EQ(form->folders().libraryFolder(), QFileInfo(c.file).absolutePath() + "/");
        EXPECT_TRUE(form->isVisible());
        dialogs.asked.clear();
    }
}

TEST_F(FileCommandsTest, SaveAppliesPendingEditsFirst) {
    startAndOpenSample();
    const QString copy = openCopyOfSample("copy.oidlib");
    click("Host/Processor/Load");
    type("Edit4", "9");
    trigger("Save1");
    EXPECT_TRUE(bytes(copy).contains("1.3.6.1.2.1.25.3.3.1.29")) << "the typed edit did not reach the file";
    EXPECT_FALSE(form->document().unsaved());
    EXPECT_FALSE(form->editing().edited());
    EXPECT_FALSE(action("ChangesApplyAction")->isEnabled());
    EXPECT_EQ(form->windowTitle(), Prefix + copy + Mark);
    EXPECT_EQ(status(), "Saved 22 entries to " + copy);
}

TEST_F(FileCommandsTest, SaveWithoutAFileNameRunsSaveAs) {
    start();
    loadKeys({"a|x|1"});
    dialogs.answerFile(dir.filePath("first"));
    trigger("Save1");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].dialog.name, "SaveDialog1");
    EXPECT_EQ(form->document().fileName(), dir.filePath("first.oidlib"))
        << "a name without extension gets .oidlib";
    EXPECT_TRUE(QFile::exists(dir.filePath("first.oidlib")));
    EXPECT_EQ(settings->read(ProgramKey, "oidpath"), dir.path() + "/");
}

TEST_F(FileCommandsTest, SaveAsAppliesPendingEditsFirst) {
    startAndOpenSample();
    click("Host/Processor/Load");
    type("Edit4", "9");
    const QString target = dir.filePath("edited.oidlib");
    dialogs.answerFile(target);
    trigger("SaveAs1");
    EXPECT_TRUE(bytes(target).contains("1.3.6.1.2.1.25.3.3.1.29"));
    EXPECT_FALSE(form->editing().edited());
    EXPECT_FALSE(form->document().unsaved());
    EXPECT_EQ(form->windowTitle(), Prefix + target + Mark);
    EXPECT_EQ(form->folders().libraryFolder(), dir.path() + "/");
    EXPECT_EQ(status(), "Saved 22 entries to " + target);
}

TEST_F(FileCommandsTest, FailedSaveAsKeepsTheOldNameAndReportsTheError) {
    start();
    loadKeys({"a|x|1"});
    const QString good = dir.filePath("good.oidlib");
    dialogs.answerFile(good);
    trigger("SaveAs1");
    form->document().setUnsaved(true);
    dialogs.answerFile(dir.filePath("no/such/folder/lib.oidlib"));
    trigger("SaveAs1");
    ASSERT_EQ(dialogs.asked.size(), 3u);
    EXPECT_EQ(dialogs.asked[2].kind, "error");
    EXPECT_FALSE(dialogs.asked[2].text.isEmpty());
    EXPECT_TRUE(form->document().unsaved());
    EXPECT_EQ(status(), "Saving...");
    EXPECT_EQ(form->document().fileName(), good);
    EXPECT_EQ(form->windowTitle(), Prefix + good + Mark);
    EXPECT_TRUE(form->isVisible());

    QFile::remove(good);
    trigger("Save1");  // writes the old file, without a dialog
    EXPECT_EQ(dialogs.asked.size(), 3u);
    EXPECT_TRUE(QFile::exists(good));
    EXPECT_FALSE(form->document().unsaved());
}

TEST_F(FileCommandsTest, OpenTakesAFileWithoutExtensionAsItIs) {
    start();
    const QString plain = openCopyOfSample("library");
    EXPECT_EQ(form->document().library().Count(), 22);
    EXPECT_EQ(form->document().fileName(), plain);
    EXPECT_EQ(dialogs.asked.size(), 1u) << "no error box";
}

TEST_F(FileCommandsTest, SaveForTheMonitorCopiesIntoItsLibraryFolder) {
    startAndOpenSample();
    ASSERT_TRUE(action("SaveToZelto1")->isVisible());
    click("Host/Processor/Load");
    type("Edit4", "9");
    trigger("SaveToZelto1");
    const QString copy = dir.filePath("zelto/snmplibs/sample.oidlib");
    EXPECT_TRUE(bytes(copy).contains("1.3.6.1.2.1.25.3.3.1.29")) << "pending edits are applied first";
    EXPECT_EQ(form->windowTitle(), Prefix + sample() + Mark);
    EXPECT_EQ(form->document().fileName(), sample());
    EXPECT_TRUE(form->document().unsaved()) << "applying set it; the library's own file was not written";
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(status(), "Saved 22 entries to " + copy);
}

// Save As and both saves for the monitor ask before they replace a file, and No (the default)
// writes nothing; the status bar then tells what was written where.
TEST_F(FileCommandsTest, SavesAskBeforeReplacingAFile) {
    struct Case {
        const char* command;
        bool named;        // the library has a file name
        const char* file;  // under the temporary folder; it exists before the save
        bool dialog;       // the file is chosen in the save dialog
    };
    for (const Case& c : std::vector<Case>{{"SaveAs1", true, "other.oidlib", true},
                                           {"SaveToZelto1", true, "zelto/snmplibs/sample.oidlib", false},
                                           {"SaveToZelto1", false, "zelto/snmplibs/mine.oidlib", true}}) {
        for (const DialogAnswer answer : {DialogAnswer::No, DialogAnswer::Yes}) {
            form.reset();
            dialogs.asked.clear();
            startAndOpenSample();
            if (!c.named) {
                trigger("NewOIDFile1");
                loadKeys({"a|x|1"});
            }
            const QString target = dir.filePath(c.file);
            ASSERT_TRUE(QDir().mkpath(QFileInfo(target).absolutePath()));
            QFile existing(target);
            ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
            existing.write("theirs");
            existing.close();
            const QString fileBefore = form->document().fileName(), statusBefore = status();
            if (c.dialog) dialogs.answerFile(target);
            dialogs.answer(answer);
            trigger(c.command);
            const AskedDialog& question = dialogs.asked.back();
            EXPECT_EQ(question.kind, "warning") << c.command;
            EXPECT_EQ(question.text, "\"" + target + "\" already exists.\n\nDo you want to replace it?");
            EXPECT_EQ(question.defaultButton, DialogAnswer::No) << "Enter keeps the file";
            if (answer == DialogAnswer::No) {
                EXPECT_EQ(bytes(target), "theirs") << c.command;
                EXPECT_EQ(form->document().fileName(), fileBefore) << c.command;
                EXPECT_EQ(status(), statusBefore) << c.command;
            } else {
                const int entries = c.named ? 22 : 1;
                EXPECT_TRUE(bytes(target).startsWith("<?xml")) << c.command;
                EXPECT_EQ(
                    status(),
                    QString("Saved %1 %2 to %3").arg(entries).arg(c.named ? "entries" : "entry").arg(target));
            }
        }
    }
}

TEST_F(FileCommandsTest, SaveForTheMonitorWithoutAFileNameAsks) {
    startAndOpenSample();
    const QString folderBefore = form->folders().libraryFolder();
    trigger("NewOIDFile1");
    loadKeys({"a|x|1"});
    form->document().setUnsaved(true);
    dialogs.answerFile(dir.filePath("zelto/snmplibs/mine"));
    trigger("SaveToZelto1");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].dialog.initialDir, dir.filePath("zelto") + "/snmplibs");
    EXPECT_EQ(form->document().fileName(), dir.filePath("zelto/snmplibs/mine.oidlib"));
    EXPECT_TRUE(QFile::exists(form->document().fileName()));
    EXPECT_FALSE(form->document().unsaved());
    EXPECT_EQ(form->folders().libraryFolder(), folderBefore);
}

TEST_F(FileCommandsTest, CommandsAndClosingWaitWhileALibraryLoads) {
    startAndOpenSample();
    form->document().setUnsaved(true);
    dialogs.answer(DialogAnswer::Yes);
    dialogs.answerFile(sample());
    // Arrive while Open lets the window handle pending events, after the old entries are gone.
    QTimer::singleShot(0, form.get(), [this] {
        action("NewOIDFile1")->trigger();
        form->close();
    });
    trigger("Open1");
    EXPECT_TRUE(form->isVisible()) << "the window closed in the middle of a load";
    EXPECT_EQ(form->document().library().Count(), 22) << "New ran in the middle of a load";
    EXPECT_EQ(form->document().fileName(), sample());
}

// Showing the loaded library is no edit: the close that waited for the load asks nothing.
TEST_F(FileCommandsTest, CloseDuringALoadClosesAfterItWithoutAQuestion) {
    startAndOpenSample();
    click("Host/Processor/Load");  // the editor shows an entry when the load begins
    dialogs.answerFile(sample());
    QTimer::singleShot(0, form.get(), [this] { form->close(); });
    trigger("Open1");
    EXPECT_TRUE(form->isVisible());
    QTRY_VERIFY(!form->isVisible());
    EXPECT_FALSE(form->editing().edited());
    EXPECT_EQ(dialogs.asked.size(), 1u) << "only the open dialog";

    QSignalSpy edits(widget<EntryEditor>("Panel1"), &EntryEditor::edited);
    form->editing().ShowEntry(*form->document().library().Entries(3));
    form->editing().ShowEntry(EditorMode::NewEntry);
    EXPECT_EQ(edits.count(), 0) << "loading the editor is no edit";
}

TEST(LibraryExtensionTest, OnlyNamesWithoutExtensionGetOne) {
    EXPECT_EQ(FileCommands::WithLibraryExtension("/a/b"), "/a/b.oidlib");
    EXPECT_EQ(FileCommands::WithLibraryExtension("/a/b.oid"), "/a/b.oid");
    EXPECT_EQ(FileCommands::WithLibraryExtension("/a.d/b"), "/a.d/b.oidlib");
    EXPECT_EQ(FileCommands::WithLibraryExtension(""), "");
}

}  // namespace
