#include "app/foldersettings.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include "app/folders.h"
#include "app/settingsstore.h"

namespace {

// A stored folder with its separator ensured, or fallback when nothing is stored.
QString storedFolder(const QString& stored, const QString& fallback) {
    return stored.isEmpty() ? fallback : WithTrailingSeparator(stored);
}

// Where the dialogs start when nothing is stored: the program's folder, or the user's documents
// folder when the user cannot write beside the program (an installed program on Linux).
QString defaultFolder() {
    const QString program = FolderSettings::programFolder();
    if (QFileInfo(program).isWritable()) return program;
    return WithTrailingSeparator(
        QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
}

}  // namespace

QString FolderSettings::programFolder() {
    return WithTrailingSeparator(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

FolderSettings::FolderSettings(SettingsStore& settings) : settings_(settings) {
    const QString exePath = settings_.read(MonitorKey, "exepath");
    monitorFolder_ = exePath.isEmpty() ? QString() : WithTrailingSeparator(exePath);
    mibFolder_ = storedFolder(settings_.read(ProgramKey, "mibpath"), defaultFolder());
    libraryFolder_ = storedFolder(settings_.read(ProgramKey, "oidpath"), defaultFolder());
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
