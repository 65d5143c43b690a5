#include "app/commands/importcommands.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTimer>

#include "app/dialogs/logwindow.h"
#include "app/dialogs/progressform.h"
#include "app/qtstrings.h"
#include "formfixture.h"
#include "import/moduleheaders.h"
#include "widgets/htmllabel.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString ExitQuestion =
    "Your latest changes have not been saved yet.\n\rDo you want to exit without saving your changes?";
const QString Warning =
    "Something went wrong. Please check if all needed include/import files are in the stdmib or working "
    "path.";

class ImportCommandsTest : public FormFixture {
  protected:
    // Copies an import fixture into the temporary folder; returns its path there.
    QString copyFixture(const char* module) {
        const QString copy = dir.filePath(QString(module) + ".mib");
        QFile::copy(
            QString::fromStdString(testdata::fixture(std::string("import/") + module + ".mib").string()),
            copy);
        return copy;
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    // A module of 60 lines whose line errorLine (2 or more) holds a character the lexer refuses.
    QString writeBrokenModule(const QString& name, int errorLine) {
        QByteArray text = name.toUtf8() + " DEFINITIONS ::= BEGIN\r\n";
        for (int line = 2; line < 60; ++line) text += line == errorLine ? "#\r\n" : "-- line\r\n";
        return writeFile(name + ".mib", text + "END\r\n");
    }

    // Runs "MIB File..." choosing files; inspect sees the one modal window the command shows.
    void runImport(const QStringList& files, std::function<void(QDialog&)> inspect) {
        dialogs.answerFiles(files);
        dialogs.answerWindow(std::move(inspect));
        trigger("MIB1");
    }
    Tlogwindow* logWindow() { return widget<Tlogwindow>("logwindow"); }
    QStringList logLines() { return memoLines(*logWindow()); }
    static QStringList memoLines(QDialog& window) {
        return window.findChild<QPlainTextEdit*>("LogMemo")->toPlainText().split('\n');
    }
    static QString value(QDialog& window, const char* name) {
        return window.findChild<QLabel*>(name)->text();
    }
    // The lines below the log's heading: "Import log:", or "Adding Importlog:" after a failure.
    static QStringList belowHeading(const QStringList& lines) {
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (lines[i] == "Import log:" || lines[i] == "Adding Importlog:") return lines.mid(i + 1);
        ADD_FAILURE() << "no heading above the log";
        return {};
    }
    // Chooses in the log window to see the whole log, not only its notes.
    static void showEverything(QDialog& window) {
        window.findChild<QComboBox*>("LogFilterBox")->setCurrentText(Tlogwindow::EverythingChoice);
    }
};

TEST_F(ImportCommandsTest, CancelledDialogChangesNothing) {
    start();
    loadKeys({"a|x|1"});
    dialogs.answerFiles({});
    trigger("MIB1");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "openmany");
    EXPECT_EQ(dialogs.asked[0].dialog.name, "mibopen");
    EXPECT_EQ(dialogs.asked[0].dialog.filter,
              "MIB Files (*.mib,*.my,*.txt)|*.mib;*.my;*.txt|mib File (*.mib)|*.mib|my File (*.my)|*.my|Any "
              "File|*.*");
    EXPECT_EQ(dialogs.asked[0].dialog.defaultExt, ".mib");
    EXPECT_EQ(dialogs.asked[0].dialog.initialDir, form->folders().mibFolder());
    EXPECT_FALSE(form->document().unsaved());
    EXPECT_EQ(form->tree().nodeCount(), 3);
    EXPECT_EQ(logLines(), QStringList{""});
    EXPECT_EQ(settings->read(ProgramKey, "mibpath"), "");
}

TEST_F(ImportCommandsTest, ParseErrorShowsItsLineAndEndsTheCommand) {
    // Error line and the first line the memo shows: from line 12 on the error is the tenth visible line.
    for (const auto& [errorLine, firstVisible] : {std::pair{15, 6}, {3, 1}, {11, 1}, {12, 3}}) {
        form.reset();
        dialogs.asked.clear();
        start();
        auto* stale = new Toiddata;  // in the library but not yet in the tree: the command rebuilds it
        stale->name = "Old|Group|Entry";
        form->document().library().Add(std::unique_ptr<Toiddata>(stale));
        const QString broken = writeBrokenModule("BROKEN-MIB", errorLine);
        const QString clean = copyFixture("FIXTURE-TABLES-MIB");
        bool shown = false;
        QStringList stopped;  // the import log after the error window
        dialogs.answerFiles({broken, clean});
        dialogs.answerWindow([&](QDialog& window) {
            shown = true;
            EXPECT_EQ(window.windowTitle(), "Parse Error");
            EXPECT_EQ(value(window, "FileValue"), broken);
            EXPECT_EQ(value(window, "ErrorValue"), "Unexpected character \"#\".");
            EXPECT_EQ(value(window, "LineValue"), QString::number(errorLine));
            EXPECT_FALSE(window.findChild<QLabel*>("DetailsValue")->isVisibleTo(&window));
            auto* memo = window.findChild<QPlainTextEdit*>("SourceMemo");
            EXPECT_TRUE(memo->isReadOnly());
            EXPECT_EQ(memo->blockCount(), 60) << "the file's lines, no empty line after the last";
            EXPECT_EQ(memo->textCursor().blockNumber() + 1, errorLine);
            EXPECT_EQ(memo->textCursor().positionInBlock(), 0);
            EXPECT_EQ(memo->textCursor().block().text(), "#");
            EXPECT_EQ(memo->cursorForPosition(QPoint(2, 2)).blockNumber() + 1, firstVisible) << errorLine;
            EXPECT_FALSE(widget<QDialog>("ProgressForm")->isVisible()) << "hidden before the error shows";
        });
        dialogs.answerWindow([&](QDialog& window) { stopped = memoLines(window); });
        trigger("MIB1");
        EXPECT_TRUE(shown);
        ASSERT_GT(stopped.indexOf("Import log:"), 2);
        EXPECT_EQ(
            stopped[stopped.indexOf("Import log:") - 2],
            "Not imported: BROKEN-MIB.mib, FIXTURE-TABLES-MIB.mib (the import stopped at the parse error "
            "in BROKEN-MIB.mib:" +
                QString::number(errorLine) + ").");
        EXPECT_EQ(form->document().library().Count(), 1) << "the second file is not imported";
        EXPECT_NE(node("Old/Group/Entry"), nullptr) << "the tree is rebuilt";
        EXPECT_FALSE(form->document().unsaved()) << "nothing was added";
        EXPECT_FALSE(logWindow()->isVisible());
        trigger("ShowLog1");
        EXPECT_TRUE(logWindow()->isVisible());
        showEverything(*logWindow());
        const QStringList log = belowHeading(logLines());
        ASSERT_FALSE(log.isEmpty());
        EXPECT_EQ(log.front(), "Load: " + broken);
        EXPECT_FALSE(log.join('\n').contains("FIXTURE-TABLES-MIB")) << "only the first file's lines";
    }
}  // namespace

TEST_F(ImportCommandsTest, MissingModulesAreAllNamedInTheErrorWindow) {
    start();
    const QString file = copyFixture("FIXTURE-MISSING-TWO-MIB");
    const QString searched = ", imported by FIXTURE-MISSING-TWO-MIB, is in neither " + dir.path() + "/ nor " +
                             FolderSettings::programFolder() + "stdmib/";
    runImport({file}, [&](QDialog& window) {
        EXPECT_EQ(value(window, "ErrorValue"), "Missing import module: NO-SUCH-MIB");
        EXPECT_EQ(value(window, "LineValue"), "7");
        EXPECT_EQ(value(window, "DetailsValue"), "NO-SUCH-MIB" + searched + "\nALSO-ABSENT-MIB" + searched);
        EXPECT_TRUE(window.findChild<QLabel*>("DetailsValue")->isVisibleTo(&window));
    });
    EXPECT_EQ(form->document().library().Count(), 0);
}

TEST_F(ImportCommandsTest, TwoCleanFilesShowTheirReports) {
    start();
    const QString tables = copyFixture("FIXTURE-TABLES-MIB");
    const QString scope = copyFixture("FIXTURE-SCOPE-MIB");
    copyFixture("FIXTURE-SCOPE-BASE-MIB");
    copyFixture("FIXTURE-SCOPE-TYPES-MIB");
    runImport({tables, scope}, [&](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), "Import Log");
        EXPECT_FALSE(widget<QDialog>("ProgressForm")->isVisible()) << "hidden before the log shows";
        EXPECT_EQ(
            memoLines(window),
            (QStringList{"Import successful!", "", "", "Report for " + tables + ":",
                         "Sucessfully included files: 2 of 2", "Sucessfully imported OIDs: 15 of 15",
                         "OIDs that were useful for Zelto: 14", "", "Report for " + scope + ":",
                         "Sucessfully included files: 4 of 4", "Sucessfully imported OIDs: 5 of 5",
                         "OIDs that were useful for Zelto: 5",
                         "1 numeric object made no entry (see the full log for each one and why)", "",
                         "Import log:",
                         tables + ":201: fxTripleA makes no entry: its row fxTripleEntry has three or more "
                                  "index columns"}))
            << "the report, then of the log only the notes";
    });
    EXPECT_EQ(form->document().library().Count(), 19);
    EXPECT_EQ(status(), "19 OIDs in 10 Groups");
    EXPECT_TRUE(form->document().unsaved());
    EXPECT_EQ(settings->read(ProgramKey, "mibpath"), dir.path() + "/");
    EXPECT_EQ(form->folders().mibFolder(), dir.path() + "/");
    EXPECT_FALSE(widget<QDialog>("ProgressForm")->isVisible());
    // The module header index of the working folder is kept in the user's cache folder.
    EXPECT_TRUE(QFile::exists(
        PathText(ModuleIndexFile(PathBytes(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)),
                                 PathBytes(dir.path() + "/")))));
}

TEST_F(ImportCommandsTest, UnitsFromMibIsRememberedAndReadsTheMib) {
    start();
    ASSERT_TRUE(action("UnitsFromMib1")->isCheckable());
    EXPECT_FALSE(action("UnitsFromMib1")->isChecked()) << "off by default";
    EXPECT_EQ(action("UnitsFromMib1")->text(), "&Units from the MIB");
    trigger("UnitsFromMib1");
    EXPECT_EQ(settings->read(ProgramKey, ImportCommands::UnitsFromMibValue), "1");
    runImport({copyFixture("FIXTURE-UNITS-MIB")}, [](QDialog&) {});
    const toidfile& library = form->document().library();
    const Toiddata* voltage = nullptr;
    for (int i = 0; i < library.Count(); ++i)
        if (library.Entries(i)->oid == "1.3.6.1.4.1.99998.1.1.0") voltage = library.Entries(i);
    ASSERT_NE(voltage, nullptr);
    EXPECT_EQ(voltage->units, "V");
    EXPECT_EQ(voltage->scale, "10");
    trigger("ShowLog1");
    EXPECT_TRUE(logLines().contains("uCoreVoltage: DISPLAY-HINT \"d-1\" of Voltage -> V / 10"));

    // The next start remembers the choice; unticking it is remembered too.
    form.reset();
    start();
    EXPECT_TRUE(action("UnitsFromMib1")->isChecked());
    trigger("UnitsFromMib1");
    EXPECT_EQ(settings->read(ProgramKey, ImportCommands::UnitsFromMibValue), "0");
}

TEST_F(ImportCommandsTest, RepairCommonFaultsIsRememberedAndNamesEachRepair) {
    start();
    ASSERT_TRUE(action("RepairFaults1")->isCheckable());
    EXPECT_FALSE(action("RepairFaults1")->isChecked()) << "off by default";
    EXPECT_EQ(action("RepairFaults1")->text(), "&Repair Common Faults");
    const QString file = dir.filePath("FIXTURE-REPAIR-MIB.mib");
    QFile::copy(QString::fromStdString(testdata::fixture("repair/FIXTURE-REPAIR-MIB.mib").string()), file);
    // Strict: the error as before, and a line saying that repairs would get the file through.
    runImport({file}, [](QDialog& window) {
        EXPECT_EQ(value(window, "ErrorValue"), "Identifier or Type expected.");
        EXPECT_EQ(value(window, "DetailsValue"),
                  "it imports with --repair (Import > Repair Common Faults): 3 repairs");
    });
    EXPECT_EQ(form->document().library().Count(), 0);

    trigger("RepairFaults1");
    EXPECT_EQ(settings->read(ProgramKey, ImportCommands::RepairFaultsValue), "1");
    QStringList shown;
    runImport({file}, [&](QDialog& window) { shown = memoLines(window); });
    EXPECT_EQ(form->document().library().Count(), 1);
    EXPECT_TRUE(shown.contains("Faults repaired: 3 (each one is named in the log)"))
        << shown.join('\n').toStdString();
    EXPECT_TRUE(shown.contains(file + ":4: repaired: comma before FROM dropped"));
    trigger("ShowLog1");
    EXPECT_TRUE(logLines().contains(file + ":7: repaired: \"//\" comment read as a \"--\" comment"));

    form.reset();
    start();
    EXPECT_TRUE(action("RepairFaults1")->isChecked());
}

// "MIB Folders..." lists the folders searched after stdmib/; the import searches them in that order
// and a missing module's message names them all.
TEST_F(ImportCommandsTest, MibFoldersAreEditedRememberedAndSearched) {
    start();
    const QString defaults = dir.filePath("defaults"), more = dir.filePath("more"),
                  mibs = dir.filePath("mibs");
    for (const QString& folder : {defaults, more, mibs}) QDir().mkpath(folder);
    form->folders().setDefaultModuleFolders({defaults, dir.filePath("absent")});
    writeFile("mibs/FIXTURE-USER-MIB.mib",
              "FIXTURE-USER-MIB DEFINITIONS ::= BEGIN\n"
              "IMPORTS MoreGauge FROM MORE-TC-MIB enterprises FROM SNMPv2-SMI;\n"
              "fxUser OBJECT IDENTIFIER ::= { enterprises 99990 }\n"
              "fxMore OBJECT-TYPE SYNTAX MoreGauge MAX-ACCESS read-only STATUS current DESCRIPTION \"\" "
              "::= { fxUser 1 }\nEND\n");
    const QString user = dir.filePath("mibs/FIXTURE-USER-MIB.mib");
    const QString searched = ", imported by FIXTURE-USER-MIB, is in none of " + mibs + "/, " +
                             FolderSettings::programFolder() + "stdmib/, " + defaults;
    runImport({user},
              [&](QDialog& window) { EXPECT_EQ(value(window, "DetailsValue"), "MORE-TC-MIB" + searched); });

    const auto list = [](QDialog& window) { return window.findChild<QListWidget*>("MibFoldersList"); };
    const auto listed = [&](QDialog& window) {
        QStringList folders;
        for (int i = 0; i < list(window)->count(); ++i) folders << list(window)->item(i)->text();
        return folders;
    };
    const auto click = [](QDialog& window, const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
    };
    // Types into the row just added and presses Enter, which commits the text once events are handled.
    const auto type = [](QDialog& window, const QString& text) {
        auto* editor = window.findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    };
    dialogs.answerWindow([&](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), "MIB Folders");
        EXPECT_EQ(listed(window), (QStringList{defaults, dir.filePath("absent")}));
        click(window, "AddFolderButton");  // a new row at the end, open for typing
        type(window, more);
        EXPECT_EQ(listed(window), (QStringList{defaults, dir.filePath("absent"), more}));
        click(window, "MoveUpButton");
        click(window, "MoveUpButton");
        EXPECT_FALSE(window.findChild<QPushButton*>("MoveUpButton")->isEnabled()) << "at the top";
        list(window)->setCurrentRow(1);
        click(window, "RemoveFolderButton");
        click(window, "AddFolderButton");  // left empty: not kept
        type(window, "  ");
        click(window, "OkButton");
    });
    trigger("MibFolders1");
    EXPECT_EQ(settings->read(ProgramKey, "mibfolders"), more + ":" + dir.filePath("absent"));
    EXPECT_EQ(form->folders().moduleFolders(), (QStringList{more, dir.filePath("absent")}));

    // Found in the folder added, by its header alone.
    writeFile("more/tc.txt", "MORE-TC-MIB DEFINITIONS ::= BEGIN\nMoreGauge ::= Gauge32\nEND\n");
    runImport({user}, [](QDialog& window) { EXPECT_EQ(memoLines(window).front(), "Import successful!"); });
    EXPECT_EQ(form->document().library().Count(), 1);

    // Cancel keeps the list; the defaults store nothing, so that they follow the environment.
    dialogs.answerWindow([&](QDialog& window) {
        click(window, "DefaultFoldersButton");
        click(window, "CancelButton");
    });
    trigger("MibFolders1");
    EXPECT_EQ(form->folders().moduleFolders(), (QStringList{more, dir.filePath("absent")}));
    dialogs.answerWindow([&](QDialog& window) {
        click(window, "DefaultFoldersButton");
        EXPECT_EQ(listed(window), (QStringList{defaults, dir.filePath("absent")}));
        click(window, "OkButton");
    });
    trigger("MibFolders1");
    EXPECT_EQ(settings->read(ProgramKey, "mibfolders"), "");
    EXPECT_EQ(form->folders().moduleFolders(), (QStringList{defaults, dir.filePath("absent")}));
}

TEST_F(ImportCommandsTest, UnrootedChainShowsTheWarningAndTheWholeLog) {
    start();
    const QString broken = copyFixture("FIXTURE-BROKEN-MIB");
    const QString tables = copyFixture("FIXTURE-TABLES-MIB");
    QStringList notes, shown;
    runImport({broken, tables}, [&](QDialog& window) {
        notes = memoLines(window);
        showEverything(window);
        shown = memoLines(window);
    });
    trigger("ShowLog1");  // as the window was left: everything
    const QStringList log = belowHeading(logLines());
    ASSERT_GT(log.size(), 2);
    EXPECT_EQ(log.front(), "Load: " + broken);
    EXPECT_TRUE(log.contains("Load: " + tables)) << "every file is imported";
    const qsizetype warning = shown.indexOf(Warning);
    ASSERT_GT(warning, 1);
    EXPECT_EQ(shown[0], "");
    EXPECT_EQ(shown[1], "Report for " + broken + ":");
    EXPECT_TRUE(shown.mid(0, warning).contains("Report for " + tables + ":"));
    EXPECT_EQ(shown[warning - 1], "");
    EXPECT_EQ(shown[warning + 1], "Adding Importlog:");
    EXPECT_EQ(shown.mid(warning + 2), log);
    // At first the window shows the same report, and of the log only why the chain makes no entry.
    EXPECT_EQ(notes.mid(0, warning + 2), shown.mid(0, warning + 2));
    const QStringList noted = notes.mid(warning + 2);
    ASSERT_FALSE(noted.isEmpty());
    EXPECT_LT(noted.size() * 10, log.size());
    for (const QString& line : noted) EXPECT_TRUE(log.contains(line)) << line.toStdString();
    EXPECT_TRUE(noted.contains("base table fxMissingEntrynot found")) << "the reason of the failure";
    EXPECT_FALSE(noted.contains("Load: " + broken));
    EXPECT_EQ(form->document().library().Count(), 14);
    EXPECT_TRUE(form->document().unsaved());
}

TEST_F(ImportCommandsTest, AnImportThatAddsNothingLeavesTheUnsavedMarkAlone) {
    // A module without numeric objects, an unreadable file, a missing imported module.
    const QByteArray empty = "EMPTY-MIB DEFINITIONS ::= BEGIN\r\nEND\r\n";
    for (const char* kind : {"nothing added", "unreadable", "missing module"}) {
        form.reset();
        dialogs.asked.clear();
        start();
        const std::string what = kind;
        if (what == "nothing added") {
            runImport({writeFile("EMPTY-MIB.mib", empty)},
                      [](QDialog& window) { EXPECT_EQ(memoLines(window).front(), "Import successful!"); });
        } else if (what == "unreadable") {
            dialogs.answerFiles({dir.filePath("GONE-MIB.mib")});
            trigger("MIB1");
            ASSERT_EQ(dialogs.asked.back().kind, "error")
                << "a file that cannot be read is no silent failure";
            EXPECT_TRUE(dialogs.asked.back().text.contains("GONE-MIB.mib"))
                << dialogs.asked.back().text.toStdString();
        } else {
            const QString missing = copyFixture("FIXTURE-MISSING-MIB");
            runImport({missing}, [&](QDialog& window) {
                EXPECT_EQ(value(window, "ErrorValue"), "Missing import module: NO-SUCH-MIB");
                EXPECT_EQ(value(window, "LineValue"), "6");
            });
        }
        EXPECT_FALSE(form->document().unsaved()) << kind;
        EXPECT_EQ(form->document().library().Count(), 0) << kind;
    }
}

TEST_F(ImportCommandsTest, ProgressShowsTheModuleSearchedAndCommandsWait) {
    start();
    loadKeys({"a|x|1"});
    const QString tables = copyFixture("FIXTURE-TABLES-MIB");
    QString label;
    bool visible = false;
    // Runs at the first module search, which lets pending events through.
    QTimer::singleShot(0, form.get(), [&] {
        auto* progress = widget<QDialog>("ProgressForm");
        visible = progress->isVisible();
        label = progress->findChild<HtmlLabel*>("ProgressLabel")->html();
        EXPECT_EQ(progress->windowTitle(), "Importing...");
        EXPECT_EQ(progress->size(), QSize(320, 71));
        action("NewOIDFile1")->trigger();  // refused while the import runs: no question, nothing freed
        action("MIB1")->trigger();
    });
    runImport({tables}, [](QDialog&) {});
    EXPECT_TRUE(visible);
    EXPECT_EQ(label, "<p align=\"center\">Searching for module: <b>SNMPv2-SMI</b>\n</p>");
    EXPECT_EQ(form->document().library().Count(), 15);
    EXPECT_EQ(dialogs.asked.size(), 2u) << "the dialog and the log window, nothing of the refused commands";
}

TEST(ProgressText, ModuleAndFileAsTheLabelShowsThem) {
    EXPECT_EQ(TProgressForm::SearchText("IF-MIB", "if.my"),
              "<p align=\"center\">Searching for module: <b>IF-MIB</b>\n<br><center>in file: if.my</p>");
    EXPECT_EQ(
        TProgressForm::SearchText("A", "a&b<c>.mib"),
        "<p align=\"center\">Searching for module: <b>A</b>\n<br><center>in file: a&amp;b&lt;c&gt;.mib</p>");
}

TEST_F(ImportCommandsTest, ClosingDuringAnImportWaitsForTheFileInProgress) {
    start();
    const QString tables = copyFixture("FIXTURE-TABLES-MIB");
    const QString scope = copyFixture("FIXTURE-SCOPE-MIB");
    QTimer::singleShot(0, form.get(), [&] { form->close(); });
    dialogs.answerFiles({tables, scope});
    trigger("MIB1");  // no log window: the window is closing
    EXPECT_TRUE(form->isVisible()) << "closed in the middle of an import";
    EXPECT_EQ(form->document().library().Count(), 14) << "the file in progress is done, the next not begun";
    dialogs.answer(DialogAnswer::Yes);
    QTRY_VERIFY(!form->isVisible());
    EXPECT_EQ(dialogs.asked.back().text, ExitQuestion) << "the imported entries are unsaved";
}

TEST_F(ImportCommandsTest, LogWindowSavesItsLinesIntoTheLogFolder) {
    start();
    runImport({copyFixture("FIXTURE-TABLES-MIB")}, [](QDialog&) {});
    trigger("ShowLog1");
    Tlogwindow* window = logWindow();
    EXPECT_EQ(window->size(), QSize(824, 532));
    EXPECT_EQ(window->minimumSize(), QSize(200, 200));
    const QString target = dir.filePath("saved");  // typed without extension
    dialogs.answerFile(target);
    QTest::mouseClick(window->findChild<QPushButton*>("Button2"), Qt::LeftButton);
    const AskedDialog& asked = dialogs.asked.back();
    EXPECT_EQ(asked.kind, "save");
    EXPECT_EQ(asked.dialog.filter, "Oidwright log files|*.log");
    EXPECT_EQ(asked.dialog.defaultExt, "*.log");
    // Beside the program where the user may write there (as root here), else in the user's data folder.
    const QString program = QCoreApplication::applicationDirPath();
    EXPECT_EQ(asked.dialog.initialDir,
              QFileInfo(program).isWritable()
                  ? program + "/logs/"
                  : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/logs/");
    EXPECT_TRUE(QRegularExpression("^Oidlog-\\d{8}-\\d{6}$").match(asked.dialog.fileName).hasMatch())
        << asked.dialog.fileName.toStdString();
    QFile saved(target + ".log");
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    // Whatever shows, the file keeps the report and the whole log.
    const QStringList notes = logLines();
    showEverything(*window);
    EXPECT_EQ(bytes, logLines().join("\r\n").toUtf8() + "\r\n");
    EXPECT_LT(notes.size() * 10, logLines().size());

    // A failed write shows an error box and the memo keeps its lines.
    const QStringList before = logLines();
    dialogs.answerFile(dir.filePath("no/such/folder/x.log"));
    QTest::mouseClick(window->findChild<QPushButton*>("Button2"), Qt::LeftButton);
    EXPECT_EQ(dialogs.asked.back().kind, "error");
    EXPECT_EQ(logLines(), before);
    QTest::mouseClick(window->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ImportCommandsTest, LogWindowShowsAnyLinesAndSavesTheirBytes) {
    start();
    Tlogwindow* window = logWindow();
    // Not UTF-8: shown as Windows-1252 and written back byte for byte while unchanged.
    const std::vector<std::string> lines = {"Device check", "caf\xE9", ""};
    window->showLines(lines);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(logLines(), (QStringList{"Device check", "caf\u00E9", ""}));
    EXPECT_EQ(window->fileContent(), "Device check\r\ncaf\xE9\r\n\r\n");
    window->findChild<QPlainTextEdit*>("LogMemo")->appendPlainText("note");
    EXPECT_EQ(window->fileContent(), "Device check\r\ncaf\xE9\r\n\r\nnote\r\n");
}

// The report stays on top; of the log the window shows the notes or everything, and Find searches
// what shows, going on from the top, with Enter in its box.
TEST_F(ImportCommandsTest, LogWindowFiltersTheLogAndFindsInIt) {
    start();
    const QString module = copyFixture("FIXTURE-NOENTRY-MIB");
    runImport({module}, [&](QDialog& window) {
        auto* filter = window.findChild<QComboBox*>("LogFilterBox");
        auto* find = window.findChild<QLineEdit*>("LogFindEdit");
        auto* memo = window.findChild<QPlainTextEdit*>("LogMemo");
        auto* status = window.findChild<QLabel*>("LogFindStatus");
        ASSERT_TRUE(filter->isVisible());
        EXPECT_EQ(filter->currentText(), Tlogwindow::NotesChoice);
        EXPECT_TRUE(memo->isReadOnly());
        const QStringList notes = belowHeading(memoLines(window));
        EXPECT_EQ(notes.size(), 8);
        for (const QString& note : notes)
            EXPECT_TRUE(note.contains(" makes no entry: ")) << note.toStdString();
        EXPECT_EQ(memoLines(window).front(), "Import successful!");

        const struct {
            const char* text;
            bool everything;
            QString selected;  // empty: not found, the selection stays
        } finds[] = {
            {"fxtriplea", false, "fxTripleA"},  // letter case aside
            {"fxTripleA", false, "fxTripleA"},  // the only place: found again from the top
            {"Value: fx", false, ""},           // only in the trace
            {"Value: fx", true, "Value: fx"},   // shown with everything
            {"no such text", true, ""},
        };
        for (const auto& f : finds) {
            filter->setCurrentText(f.everything ? Tlogwindow::EverythingChoice : Tlogwindow::NotesChoice);
            find->clear();
            const QString before = memo->textCursor().selectedText();
            QTest::keyClicks(find, f.text);
            QTest::keyClick(find, Qt::Key_Return);
            EXPECT_TRUE(window.isVisible()) << "Enter in the box finds, it does not close the window";
            EXPECT_EQ(memo->textCursor().selectedText(), f.selected.isEmpty() ? before : f.selected)
                << f.text;
            EXPECT_EQ(status->text(), f.selected.isEmpty() ? "Not found" : "") << f.text;
        }
        const qsizetype everything = memoLines(window).size();
        EXPECT_GT(everything, 10 * notes.size());
        filter->setCurrentText(Tlogwindow::NotesChoice);
        EXPECT_EQ(belowHeading(memoLines(window)), notes);
    });
    // Lines that are no import's report and log have nothing to filter.
    logWindow()->showLines({"Device check"});
    EXPECT_FALSE(widget<QComboBox>("LogFilterBox")->isVisible());
    EXPECT_FALSE(logWindow()->findChild<QPlainTextEdit*>("LogMemo")->isReadOnly());
}

TEST(LogFolder, BesideTheProgramOrInTheUsersDataFolder) {
    QTemporaryDir program;
    EXPECT_EQ(Tlogwindow::LogFolder(program.path()), program.filePath("logs"));
    EXPECT_TRUE(QFileInfo(program.filePath("logs")).isDir());
    // "logs" cannot be a folder there: the user's own data folder takes the logs.
    QTemporaryDir blocked;
    QFile file(blocked.filePath("logs"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QString userLogs = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/logs";
    EXPECT_EQ(Tlogwindow::LogFolder(blocked.path()), userLogs);
    EXPECT_TRUE(QFileInfo(userLogs).isDir());
}

// The user renames an imported entry and imports its module again: asked once, with Keep as the
// default; Keep leaves the rename, Replace brings the import's name back (Undo the rename),
// Cancel changes nothing. No answer gives an object two entries.
TEST_F(ImportCommandsTest, ReimportAsksWhetherToKeepOrReplaceTheLibrarysEntries) {
    const QString renamed = "FIXTURE-TABLES-MIB/fx scalar group/mine";
    const QString neighbour = "FIXTURE-TABLES-MIB/fx scalar group/fx wide";  // of the renamed one
    struct Case {
        int answer;  // in ImportCommands::ExistingAnswers
        QString selected, entriesLine;
    };
    for (const Case& c : std::vector<Case>{
             {0, renamed, "Entries: 0 added, 14 kept as they were in the library, 0 replaced by the import"},
             {1, neighbour,
              "Entries: 0 added, 0 kept as they were in the library, 14 replaced by the import"},
             {2, renamed, ""}}) {
        form.reset();
        dialogs.asked.clear();
        start();
        const QString tables = copyFixture("FIXTURE-TABLES-MIB");
        runImport({tables}, [](QDialog&) {});
        click("FIXTURE-TABLES-MIB/fx scalar group/fx load percent");
        widget<QLineEdit>("Edit3")->clear();
        type("Edit3", "mine");
        trigger("ChangesApplyAction");
        ASSERT_EQ(selectedPath(), renamed);
        const std::string before = form->document().library().SaveToText();
        dialogs.asked.clear();
        dialogs.answerFiles({tables});
        dialogs.answerChoice(c.answer);
        QStringList shown;
        if (!c.entriesLine.isEmpty())
            dialogs.answerWindow([&](QDialog& window) { shown = memoLines(window); });
        trigger("MIB1");
        ASSERT_GE(dialogs.asked.size(), 2u);
        const AskedDialog& question = dialogs.asked[1];
        EXPECT_EQ(question.kind, "choose");
        EXPECT_EQ(question.text, ImportCommands::ExistingQuestion(14));
        EXPECT_EQ(question.buttons, ImportCommands::ExistingAnswers);
        EXPECT_EQ(question.defaultChoice, 0) << "Enter keeps the user's entries";
        EXPECT_EQ(form->document().library().Count(), 14) << c.answer;
        EXPECT_EQ(selectedPath(), c.selected) << c.answer;
        EXPECT_TRUE(node("FIXTURE-TABLES-MIB/fx scalar group")->isExpanded()) << c.answer;
        if (c.entriesLine.isEmpty()) {
            EXPECT_EQ(dialogs.asked.size(), 2u) << "no log after a cancel";
            EXPECT_EQ(status(), "The import was cancelled: the library is as it was.");
            EXPECT_EQ(form->document().library().SaveToText(), before);
            continue;
        }
        EXPECT_TRUE(shown.contains(c.entriesLine)) << shown.join('\n').toStdString();
        EXPECT_EQ(shown.front(), "Import successful!");
        if (c.answer == 1) {
            EXPECT_EQ(action("Undo1")->text(), "&Undo Import");
            trigger("Undo1");
            EXPECT_EQ(form->document().library().SaveToText(), before) << "one Undo brings the edits back";
        }
    }
}

// A parse error in a module that a chosen file imports: the log names the file and line of the
// error, not the chosen file.
TEST_F(ImportCommandsTest, TheStoppedImportNamesTheFileOfTheError) {
    start();
    writeBrokenModule("BROKEN-MIB", 7);
    const QString user = writeFile(
        "USER-MIB.mib", "USER-MIB DEFINITIONS ::= BEGIN\r\nIMPORTS brokenThing FROM BROKEN-MIB;\r\nEND\r\n");
    const QString tables = copyFixture("FIXTURE-TABLES-MIB");
    QStringList stopped;
    dialogs.answerFiles({tables, user, tables});
    dialogs.answerWindow([](QDialog& window) { EXPECT_EQ(window.windowTitle(), "Parse Error"); });
    dialogs.answerWindow([&](QDialog& window) { stopped = memoLines(window); });
    trigger("MIB1");
    ASSERT_GT(stopped.indexOf("Import log:"), 2);
    EXPECT_EQ(stopped[stopped.indexOf("Import log:") - 2],
              "Not imported: USER-MIB.mib, FIXTURE-TABLES-MIB.mib (the import stopped at the parse error in "
              "BROKEN-MIB.mib:7).");
    EXPECT_EQ(form->document().library().Count(), 14) << "the first file's entries";
    EXPECT_TRUE(form->document().unsaved());
}

// The window's import and oidwright-import give the same library for the same files.
// Importing a module twice: the window's two commands and the command line's two runs (the second
// into the library the first wrote) give the same library, with no entry twice.
TEST_F(ImportCommandsTest, RepeatedImportGivesTheCommandLinesLibrary) {
    start();
    const QString tables = copyFixture("FIXTURE-TABLES-MIB");
    runImport({tables}, [](QDialog&) {});
    dialogs.answerFiles({tables});
    dialogs.answerChoice(0);  // keep the library's entries
    dialogs.answerWindow([](QDialog&) {});
    trigger("MIB1");
    EXPECT_EQ(form->document().library().Count(), 14);

    const QString once = dir.filePath("once.oidlib"), twice = dir.filePath("twice.oidlib");
    for (const QStringList& arguments :
         {QStringList{"-q", "-o", once, tables}, QStringList{"-q", "--library", once, "-o", twice, tables}}) {
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CACHE_HOME", dir.filePath("cache"));
        cli.setProcessEnvironment(environment);
        cli.start(OIDWRIGHT_IMPORT_EXE, arguments);
        ASSERT_TRUE(cli.waitForFinished(30000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    }
    QFile written(twice);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().toStdString() == form->document().library().SaveToText())
        << "the libraries differ";
}

TEST_F(ImportCommandsTest, SameLibraryAsTheCommandLine) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    start();
    QStringList files;
    for (const QString& name : QDir(PathText(mibs.string())).entryList(QDir::Files, QDir::Name))
        files << PathText(mibs.string()) + "/" + name;
    runImport(files, [](QDialog& window) { EXPECT_EQ(window.windowTitle(), "Import Log"); });
    ASSERT_GT(form->document().library().Count(), 1000);

    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CACHE_HOME", dir.filePath("cache"));
    cli.setProcessEnvironment(environment);
    cli.start(OIDWRIGHT_IMPORT_EXE, QStringList{"-q", "-o", dir.filePath("cli.oidlib")} + files);
    ASSERT_TRUE(cli.waitForFinished(120000));
    ASSERT_LE(cli.exitCode(), 1) << cli.readAllStandardError().toStdString();
    QFile written(dir.filePath("cli.oidlib"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().toStdString() == form->document().library().SaveToText())
        << "the libraries differ";
}

}  // namespace
