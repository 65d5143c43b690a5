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
        EXPECT_EQ(form->document().library().Count(), c.countAfter) << c.command;
        EXPECT_EQ(form->document().unsaved(), c.unsaved && c.answer == DialogAnswer::No) << c.command;
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

TEST_F(FileCommandsTest, RefusedOrBrokenFilesLeaveANewLibrary) {
    struct Case {
        const char* file;
        QString kind, text;
    };
    for (const Case& c : std::vector<Case>{
             {"app/bom.oidlib", "information", "Can not open encrypted oid file."},
             {"app/mismatch.oidlib", "error", "XML Parser mismatch: Wanted </system>, got </System>"},
             {"library/empty-list-first.oidlib", "error",
              "A second <list> (the first is on line 2): a library holds one list of entries"},
             {"app/missing.oidlib", "error", ""}}) {
        form.reset();
        startAndOpenSample();
        click("Host/Processor/Load");
        dialogs.answerFile(fixture(c.file));
        trigger("Open1");
        ASSERT_EQ(dialogs.asked.size(), 2u) << c.file;
        EXPECT_EQ(dialogs.asked[1].kind, c.kind) << c.file;
        if (!c.text.isEmpty()) {
            EXPECT_EQ(dialogs.asked[1].text, c.text) << c.file;
        }
        EXPECT_FALSE(dialogs.asked[1].text.isEmpty()) << c.file;
        EXPECT_EQ(form->document().library().Count(), 0) << c.file;
        EXPECT_EQ(form->tree().nodeCount(), 0) << c.file;
        EXPECT_EQ(form->windowTitle(), Prefix + Mark) << c.file;
        EXPECT_EQ(form->editing().currentEntry(), nullptr) << c.file;
        EXPECT_EQ(form->folders().libraryFolder(), QFileInfo(fixture(c.file)).absolutePath() + "/") << c.file;
        EXPECT_TRUE(form->isVisible());
    }
}

TEST_F(FileCommandsTest, ALibraryOfAnUnreadableVersionIsNotAdopted) {
    startAndOpenSample();
    const QString future = dir.filePath("future.oidlib");
    QFile file(future);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\" ?>\r\n<oidlist><system><version>2</version></system><list/></oidlist>");
    file.close();
    dialogs.answerFile(future);
    trigger("Open1");
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].kind, "error");
    EXPECT_EQ(dialogs.asked[1].text, "Cannot read the library \"" + future +
                                         "\": its version is \"2\", this program reads version 1.");
    EXPECT_EQ(form->document().library().Count(), 0);
    EXPECT_EQ(form->document().fileName(), "");
    EXPECT_EQ(form->windowTitle(), Prefix + Mark);

    loadKeys({"a|x|1"});
    dialogs.answerFile(QString());
    trigger("Save1");
    EXPECT_EQ(dialogs.asked.back().dialog.name, "SaveDialog1")
        << "Save must ask for a name, not overwrite the file";
    EXPECT_TRUE(bytes(future).contains("<version>2</version>"));
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
    EXPECT_EQ(status(), "22 OIDs in 11 Groups") << "the counts again after the save";
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
    EXPECT_EQ(status(), "22 OIDs in 11 Groups");
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
