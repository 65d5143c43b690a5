#include "app/commands/importcommands.h"

#include <QAction>
#include <QFileInfo>
#include <QMainWindow>
#include <QStandardPaths>

#include "app/commandrunner.h"
#include "app/dialogs/logwindow.h"
#include "app/dialogs/mibfoldersdialog.h"
#include "app/dialogs/perrorwindow.h"
#include "app/dialogs/progressform.h"
#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/editor/partialselection.h"
#include "app/editor/treeplace.h"
#include "app/folders.h"
#include "app/foldersettings.h"
#include "app/qtstrings.h"
#include "app/settingsstore.h"
#include "import/importrunner.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "mib/sourcetext.h"

namespace {

constexpr qint64 RepaintInterval = 20;  // milliseconds

}  // namespace

ImportCommands::ImportCommands(CommandHost& host, SettingsStore& settings)
    : host_(host),
      settings_(settings),
      mibopen_{"mibopen", MibFilter, ".mib", {}},
      foldersDialog_(new MibFoldersDialog(&host.window())),
      ProgressForm_(new TProgressForm(&host.window())),
      logwindow_(new Tlogwindow(&host.window(), host.dialogs(), host.runner())) {
    host.bind("MIB1", [this] { MIB1Click(); });
    host.bind("MibFolders1", [this] { MibFolders1Click(); });
    bindOption(unitsFromMib_, "UnitsFromMib1", UnitsFromMibValue);
    bindOption(repairFaults_, "RepairFaults1", RepairFaultsValue);
    host.bind("ShowLog1", [this] { ShowLog1Click(); });
}

void ImportCommands::bindOption(QAction*& option, const char* actionName, const QString& value) {
    option = host_.bind(actionName,
                        [this, &option, value] { settings_.write(value, option->isChecked() ? "1" : "0"); });
    option->setCheckable(true);
    option->setChecked(settings_.read(ProgramKey, value) == "1");
}

void ImportCommands::MIB1Click() {
    mibopen_.initialDir = host_.folders().mibFolder();
    const QStringList chosen = host_.dialogs().openFileNames(mibopen_);
    if (chosen.isEmpty()) return;
    // The editor takes no input during the import: what it holds is applied first.
    if (!host_.editing().applyPendingEdits()) return;
    host_.folders().setMibFolder(FolderOf(chosen.front()));
    std::vector<std::string> files;
    for (const QString& file : chosen) files.push_back(PathBytes(file));

    ImportRunner runner;
    toidfile imported;  // meets the library's entries at the end, so that none comes twice
    const TreePlace place = TreePlace::Of(host_.tree());
    std::vector<std::string> report = WithLogHeading(runner.ImportReport);  // above the log
    std::size_t started = 0;                                                // files whose import began
    sinceRepaint_.invalidate();                                             // the first search shows at once
    try {
        importFiles(runner, imported, files, started);
        if (const std::optional<MergeResult> merged = finish(imported, place)) {
            report = runner.ReportLines(merged->ReportLines());
            if (!runner.Failed) report = WithLogHeading(report);  // a failure's report ends in its own
            if (!host_.runner().closeRequested()) logwindow_->execReport(report, runner.ImportLog);
        }
    } catch (const eparseexception& error) {
        // The error window, then the reports of the files before it and the files left out.
        if (!host_.runner().closeRequested()) showParseError(error);
        const std::optional<MergeResult> merged = finish(imported, place);
        if (merged && chosen.size() > 1 && !host_.runner().closeRequested()) {
            report = WithLogHeading(stoppedLines(runner, merged->ReportLines(),
                                                 chosen.mid(std::max<qsizetype>(qsizetype(started), 1) - 1),
                                                 error));
            logwindow_->execReport(report, runner.ImportLog);
        }
    } catch (...) {
        finish(imported, place);
        logwindow_->setReport(report, runner.ImportLog);
        throw;  // a file that cannot be read: its message shows in the error box
    }
    logwindow_->setReport(report, runner.ImportLog);  // what "Show Import Log..." shows from now on
}

std::vector<std::string> ImportCommands::WithLogHeading(std::vector<std::string> report) {
    if (!report.empty()) report.push_back("");
    report.push_back(LogHeading);
    return report;
}

QString ImportCommands::ExistingQuestion(int existing) {
    return QString(
               "%1 of the entries this import makes %2 in the library already (same module and OID).\n\n"
               "Keep my entries: leave them as they are and add only the objects new to the library.\n"
               "Replace them: the import's entries take their places; edits of them are lost (Undo "
               "brings them back).")
        .arg(existing)
        .arg(existing == 1 ? "is" : "are");
}

void ImportCommands::MibFolders1Click() {
    FolderSettings& folders = host_.folders();
    foldersDialog_->setFolders(folders.moduleFolders(), folders.defaultModuleFolders());
    if (host_.dialogs().showModal(*foldersDialog_) == QDialog::Accepted)
        folders.setModuleFolders(foldersDialog_->folders());
}

std::vector<std::string> ImportCommands::stoppedLines(const ImportRunner& runner,
                                                      const std::vector<std::string>& afterReports,
                                                      const QStringList& notImported,
                                                      const eparseexception& error) {
    std::vector<std::string> lines = runner.ImportReport;
    lines.insert(lines.end(), afterReports.begin(), afterReports.end());
    QStringList names;
    for (const QString& file : notImported) names << QFileInfo(file).fileName();
    const QString failed =
        QFileInfo(PathText(error.FileName)).fileName() + ":" + QString::number(LineOfPosition(error));
    lines.push_back("");
    lines.push_back(fromQt("Not imported: " + names.join(", ") +
                           " (the import stopped at the parse error in " + failed + ")."));
    return lines;
}

void ImportCommands::importFiles(ImportRunner& runner, toidfile& imported,
                                 const std::vector<std::string>& files, std::size_t& started) {
    runner.ModuleIndexFolder = PathBytes(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    runner.Options.unitsFromMib = unitsFromMib_->isChecked();
    runner.Options.repair = repairFaults_->isChecked();
    for (const QString& folder : host_.folders().moduleFolders())
        runner.Options.mibFolders.push_back(PathBytes(folder));
    runner.BeforeFile = [this, &started](const std::string&) {
        if (host_.runner().closeRequested()) return false;  // the window closes after this file
        ++started;
        ProgressForm_->showCentred();
        return true;
    };
    runner.OnModuleSearch = [this](toidfile&, const std::string& module, const std::string& file) {
        OnModuleSearch(module, file);
    };
    // No other command may reach the library until the import's entries are in it, and the
    // editor and check boxes take no input.
    CommandRunner::LongOperation running(host_.runner());
    runner.Run(imported, files, ProgramFilesIn(PathBytes(FolderSettings::programFolder())));
}

void ImportCommands::OnModuleSearch(const std::string& module, const std::string& file) {
    // Often enough for a smooth window, seldom enough that a quick import does not wait for repaints.
    if (sinceRepaint_.isValid() && sinceRepaint_.elapsed() < RepaintInterval) return;
    ProgressForm_->setProgressText(TProgressForm::SearchText(toQt(module), PathText(file)));
    host_.runner().processPendingMessages();
    sinceRepaint_.start();
}

void ImportCommands::showParseError(const eparseexception& error) {
    ProgressForm_->setProgressText(TProgressForm::LoadingText);
    host_.runner().processPendingMessages();
    Tperror window(&host_.window());
    // The text as the parser saw it; a file gone since leaves the memo empty.
    std::string text;
    try {
        text = JoinLinesWithCrLf(ReadFileBytes(error.FileName));
    } catch (const MibFileError&) {
    }
    const int line = LineOfPosition(text, error.Position);
    ProgressForm_->hide();
    QString shown = toQt(text).replace("\r\n", "\n");
    if (shown.endsWith('\n')) shown.chop(1);  // the last line's break opens no line of its own
    window.showError(PathText(error.FileName), toQt(error.Message), shown, line);
    QStringList details;
    for (const std::string& detail : error.Details) details << toQt(detail);
    window.showDetails(details);
    host_.dialogs().showModal(window);
}

std::optional<MergeResult> ImportCommands::finish(toidfile& imported, const TreePlace& place) {
    ProgressForm_->hide();
    Document& document = host_.document();
    EditingController& editing = host_.editing();
    ExistingChoice choice = ExistingChoice::Keep;  // also when the window is closing
    if (const int existing = CountExisting(document.library(), imported);
        existing > 0 && !host_.runner().closeRequested()) {
        const int answer = host_.dialogs().choose(ExistingQuestion(existing), ExistingAnswers, 0);
        if (answer == 2) {
            host_.runner().setStatusText("The import was cancelled: the library is as it was.");
            return std::nullopt;
        }
        choice = answer == 1 ? ExistingChoice::Replace : ExistingChoice::Keep;
    }
    Toiddata* shown = editing.mode() == EditorMode::Entry ? editing.currentEntry() : nullptr;
    host_.selection().rememberTicks();
    editing.forgetEntries();  // a replaced entry is freed
    const MergeResult merged = MergeImport(document.library(), imported, choice);
    if (merged.changedLibrary()) document.libraryChanged("Import");  // nothing added: nothing to save
    editing.rebuildAndShow(place, shown);
    return merged;
}

void ImportCommands::ShowLog1Click() {
    logwindow_->showWindow();
}
