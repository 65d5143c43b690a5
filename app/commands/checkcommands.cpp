#include "app/commands/checkcommands.h"

#include <QEventLoop>
#include <QMainWindow>
#include <QTimer>
#include <stdexcept>
#include <unordered_set>

#include "app/commandrunner.h"
#include "app/dialogs/checkdevicedialog.h"
#include "app/dialogs/checkprogresswindow.h"
#include "app/dialogs/logwindow.h"
#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/editor/partialselection.h"
#include "app/foldersettings.h"
#include "app/qtstrings.h"
#include "app/settingsstore.h"
#include "check/backgroundwalk.h"
#include "check/checkreport.h"
#include "check/devicecheck.h"
#include "import/modulenames.h"
#include "library/oidfile.h"

CheckCommands::CheckCommands(CommandHost& host, SettingsStore& settings)
    : host_(host),
      settings_(settings),
      dialog_(new CheckDeviceDialog(&host.window(), host.dialogs())),
      progress_(new CheckProgressWindow(&host.window())),
      // A window of its own: "Show Import Log..." goes on showing the last import's log.
      logwindow_(new Tlogwindow(&host.window(), host.dialogs(), host.runner())) {
    logwindow_->setObjectName("CheckReportWindow");
    logwindow_->setWindowTitle(ReportCaption);
    SnmpVersion version = SnmpVersion::v2c;
    CheckDeviceDialog::ParseVersion(settings.read(ProgramKey, VersionValue), version);
    dialog_->presetAgent(settings.read(ProgramKey, HostValue), version);
    host.bind("CheckAgainstDevice1", [this] { CheckAgainstDevice1Click(); });
}

void CheckCommands::CheckAgainstDevice1Click() {
    if (host_.dialogs().showModal(*dialog_) != QDialog::Accepted) return;
    host_.editing().showCounts();  // no words of an earlier check stay when this one fails
    const toidfile& library = host_.document().library();
    CheckResult result;
    if (dialog_->useCapture()) {
        // Names in the capture are read from the MIB folder's modules and stdmib/, as an import reads them.
        ModuleOidNames names(LibraryModules(library), PathBytes(host_.folders().mibFolder()),
                             ProgramFilesIn(PathBytes(FolderSettings::programFolder())));
        result = CheckAgainstCapture(library, PathBytes(dialog_->captureFile()), &names);
    } else {
        const AgentSettings agent = dialog_->agentSettings();
        rememberAgent(agent);  // also when the check fails: the next try starts from it
        try {
            result = walkAgent(agent);
        } catch (const CheckError&) {
            if (host_.runner().closeRequested()) return;  // the walk stopped for the window to close
            if (progress_->cancelled()) {                 // the user's own choice: no error
                host_.runner().setStatusText(CancelledText);
                return;
            }
            throw;  // its message shows in the error box
        }
    }

    std::unordered_set<const Toiddata*> answered;
    for (int i = 0; i < library.Count(); ++i)
        if (result.entries[static_cast<std::size_t>(i)].answered) answered.insert(library.Entries(i));
    host_.selection().enterPartialSelection(answered);
    host_.runner().setStatusText(toQt(CheckSummary(result)));
    // The source heads the report, so that a saved log tells what was asked.
    std::vector<std::string> report = CheckReportLines(library, result);
    report.insert(report.begin(), "Checked against " + result.source);
    logwindow_->showLines(report);
}

CheckResult CheckCommands::walkAgent(const AgentSettings& agent) {
    progress_->start(toQt(DescribeAgent(agent)));
    struct HideWhenDone {
        CheckProgressWindow& window;
        ~HideWhenDone() { window.hide(); }
    } hide{*progress_};
    CommandRunner& runner = host_.runner();
    // No command may reach the library while the window handles events during the walk, nor
    // the editor input.
    CommandRunner::LongOperation running(runner);
    const toidfile& library = host_.document().library();
    // The look-up, a v3 discovery and every request wait on the walk's own thread; this one
    // only looks in on it, so the window answers at once in every phase.
    BackgroundWalk walk(agent, SubtreesToWalk(library), DeviceAnswers(OidsEntriesNeed(library)));
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        progress_->setProgress(walk.Progress());
        if (progress_->cancelled() || runner.closeRequested()) walk.Cancel();
        if (walk.Finished()) loop.quit();
    });
    poll.start();
    loop.exec();
    return MatchAgentAnswers(library, agent, walk.TakeAnswers());
}

void CheckCommands::rememberAgent(const AgentSettings& agent) {
    settings_.write(HostValue, toQt(agent.host));
    settings_.write(VersionValue, CheckDeviceDialog::VersionName(agent.version));
}
