#include "app/importcommands.h"

#include <QAction>
#include <QMainWindow>
#include <QStandardPaths>

#include "app/commandrunner.h"
#include "app/document.h"
#include "app/editingcontroller.h"
#include "app/folders.h"
#include "app/foldersettings.h"
#include "app/logwindow.h"
#include "app/perrorwindow.h"
#include "app/progressform.h"
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
    host_.folders().setMibFolder(FolderOf(chosen.front()));
    std::vector<std::string> files;
    for (const QString& file : chosen) files.push_back(PathBytes(file));

    ImportRunner runner;
    sinceRepaint_.invalidate();  // the first search shows at once
    try {
        importFiles(runner, files);
        ProgressForm_->hide();
        if (!host_.runner().closeRequested()) logwindow_->execLines(runner.SummaryLines());
    } catch (const eparseexception& error) {
        // The error window is the whole message; the command ends with the files before it imported.
        if (!host_.runner().closeRequested()) showParseError(error);
    } catch (...) {
        finish(runner);
        throw;  // a file that cannot be read: its message shows in the error box
    }
    finish(runner);
}

void ImportCommands::importFiles(ImportRunner& runner, const std::vector<std::string>& files) {
    runner.ModuleIndexFolder = PathBytes(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    runner.Options.unitsFromMib = unitsFromMib_->isChecked();
    runner.BeforeFile = [this](const std::string&) {
        if (host_.runner().closeRequested()) return false;  // the window closes after this file
        ProgressForm_->showCentred();
        return true;
    };
    runner.OnModuleSearch = [this](toidfile&, const std::string& module, const std::string& file) {
        OnModuleSearch(module, file);
    };
    // No other command may reach the library while the import appends to it.
    CommandRunner::BusyScope busy(host_.runner());
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
    host_.dialogs().showModal(window);
}

void ImportCommands::finish(const ImportRunner& runner) {
    ProgressForm_->hide();
    host_.editing().RebuildTree({});
    host_.document().setUnsaved(true);
    logwindow_->setLines(runner.ImportLog);  // "Show Import Log..." shows the raw log from now on
}

void ImportCommands::ShowLog1Click() {
    logwindow_->showWindow();
}
