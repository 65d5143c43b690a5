#include "app/commands/monitorcommands.h"

#include <QAction>
#include <QDir>

#include "app/commandrunner.h"
#include "app/foldersettings.h"

MonitorCommands::MonitorCommands(CommandHost& host)
    : host_(host), folderDialog_{"MonitorFolderDialog", {}, {}, {}} {
    host.bind("MonitorFolder1", [this] { MonitorFolder1Click(); });
}

void MonitorCommands::MonitorFolder1Click() {
    FolderSettings& folders = host_.folders();
    folderDialog_.initialDir = folders.monitorFolder().isEmpty() ? QDir::homePath() : folders.monitorFolder();
    const QString folder = host_.dialogs().chooseFolder(folderDialog_);
    if (folder.isEmpty()) return;
    folders.setMonitorFolder(QDir::toNativeSeparators(folder));
    host_.action("SaveToZelto1")->setVisible(true);
    host_.runner().setStatusText("\"Save for Zelto Network Monitor\" writes into " + folders.monitorFolder() +
                                 "snmplibs");
}
