#include "app/commands/importcommands.h"

#include <QAction>
#include <QFileInfo>
#include <QMainWindow>
#include <QStandardPaths>

#include "app/commandrunner.h"
#include "app/dialogs/logwindow.h"
#include "app/dialogs/perrorwindow.h"
#include "app/dialogs/progressform.h"
#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
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
      ProgressForm_(new TProgressForm(&host.window())),
      logwindow_(new Tlogwindow(&host.window(), host.dialogs(), host.runner())) {
    host.bind("MIB1", [this] { MIB1Click(); });
    unitsFromMib_ = host.bind("UnitsFromMib1", [this] {
        settings_.write(UnitsFromMibValue, unitsFromMib_->isChecked() ? "1" : "0");
    });
    unitsFromMib_->setCheckable(true);
    unitsFromMib_->setChecked(settings.read(ProgramKey, UnitsFromMibValue) == "1");
    host.bind("ShowLog1", [this] { ShowLog1Click(); });
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
    std::vector<std::string> report = WithLogHeading(runner.ImportReport);  // above the log
    std::size_t started = 0;                                                // files whose import began
    sinceRepaint_.invalidate();                                             // the first search shows at once
    try {
        importFiles(runner, files, started);
        ProgressForm_->hide();
        report = runner.ReportLines();
        if (!runner.Failed) report = WithLogHeading(report);  // a failure's report ends in its own
        if (!host_.runner().closeRequested()) logwindow_->execReport(report, runner.ImportLog);
    } catch (const eparseexception& error) {
        // The error window, then the reports of the files before it and the files left out.
        if (!host_.runner().closeRequested()) {
            showParseError(error);
            if (chosen.size() > 1) {
                report = WithLogHeading(
                    stoppedLines(runner, chosen.mid(std::max<qsizetype>(qsizetype(started), 1) - 1)));
                logwindow_->execReport(report, runner.ImportLog);
            }
        }
    } catch (...) {
        finish(runner, report);
        throw;  // a file that cannot be read: its message shows in the error box
    }
    finish(runner, report);
}

std::vector<std::string> ImportCommands::WithLogHeading(std::vector<std::string> report) {
    if (!report.empty()) report.push_back("");
    report.push_back(LogHeading);
    return report;
}

std::vector<std::string> ImportCommands::stoppedLines(const ImportRunner& runner,
                                                      const QStringList& notImported) {
    std::vector<std::string> lines = runner.ImportReport;
    QStringList names;
    for (const QString& file : notImported) names << QFileInfo(file).fileName();
    lines.push_back("");
    lines.push_back(fromQt("Not imported: " + names.join(", ") +
                           " (the import stopped at the parse error in " + names.front() + ")."));
    return lines;
}

void ImportCommands::importFiles(ImportRunner& runner, const std::vector<std::string>& files,
                                 std::size_t& started) {
    runner.ModuleIndexFolder = PathBytes(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    runner.Options.unitsFromMib = unitsFromMib_->isChecked();
    runner.BeforeFile = [this, &started](const std::string&) {
        if (host_.runner().closeRequested()) return false;  // the window closes after this file
        ++started;
        ProgressForm_->showCentred();
        return true;
    };
    runner.OnModuleSearch = [this](toidfile&, const std::string& module, const std::string& file) {
        OnModuleSearch(module, file);
    };
    // No other command may reach the library while the import appends to it, and the editor and
    // check boxes take no input.
    CommandRunner::LongOperation running(host_.runner());
    runner.Run(host_.document().library(), files, ProgramFilesIn(PathBytes(FolderSettings::programFolder())));
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

void ImportCommands::finish(const ImportRunner& runner, const std::vector<std::string>& report) {
    ProgressForm_->hide();
    host_.document().libraryChanged("Import");
    host_.editing().RebuildTree({});
    host_.editing().showSelectedNode();
    logwindow_->setReport(report, runner.ImportLog);  // what "Show Import Log..." shows from now on
}

void ImportCommands::ShowLog1Click() {
    logwindow_->showWindow();
}
