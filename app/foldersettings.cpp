#include "app/foldersettings.h"

#include <QCoreApplication>

#include "app/folders.h"
#include "app/qtstrings.h"
#include "app/settingsstore.h"
#include "import/mibfolders.h"

namespace {

// The setting that holds the module folders, ":"-separated as $MIBDIRS.
const QString ModuleFoldersValue = "mibfolders";

QStringList toQtList(const std::vector<std::string>& folders) {
    QStringList list;
    for (const std::string& folder : folders) list << PathText(folder);
    return list;
}

// A stored folder with its separator ensured, or fallback when nothing is stored.
QString storedFolder(const QString& stored, const QString& fallback) {
    return stored.isEmpty() ? fallback : WithTrailingSeparator(stored);
}

}  // namespace

QString FolderSettings::OfferedFolder(const QString& folder, const QString& programFolder) {
    if (QDir(folder) != QDir(programFolder) || QFileInfo(folder).isWritable()) return folder;
    return WithTrailingSeparator(QDir::toNativeSeparators(QDir::homePath()));
}

QString FolderSettings::programFolder() {
    return WithTrailingSeparator(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

FolderSettings::FolderSettings(SettingsStore& settings) : settings_(settings) {
    const QString exePath = settings_.read(MonitorKey, "exepath");
    monitorFolder_ = exePath.isEmpty() ? QString() : WithTrailingSeparator(exePath);
    const QString program = programFolder();
    mibFolder_ = OfferedFolder(storedFolder(settings_.read(ProgramKey, "mibpath"), program), program);
    libraryFolder_ = OfferedFolder(storedFolder(settings_.read(ProgramKey, "oidpath"), program), program);
    defaultModuleFolders_ = toQtList(DefaultMibFolders());
}

QStringList FolderSettings::moduleFolders() const {
    const QString stored = settings_.read(ProgramKey, ModuleFoldersValue);
    return stored.isEmpty() ? defaultModuleFolders_ : toQtList(SplitFolderList(PathBytes(stored)));
}

void FolderSettings::setModuleFolders(const QStringList& folders) {
    std::vector<std::string> list;
    if (folders != defaultModuleFolders_)
        for (const QString& folder : folders) list.push_back(PathBytes(folder));
    settings_.write(ModuleFoldersValue, PathText(JoinFolderList(list)));
}

void FolderSettings::setMonitorFolder(const QString& folder) {
    monitorFolder_ = WithTrailingSeparator(folder);
    settings_.write(MonitorKey, "exepath", folder);
}

void FolderSettings::setMibFolder(const QString& folder) {
    mibFolder_ = folder;
    settings_.write("mibpath", folder);
}

void FolderSettings::setLibraryFolder(const QString& folder) {
    libraryFolder_ = folder;
    settings_.write("oidpath", folder);
}
