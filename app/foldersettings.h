#pragma once
// The folders the window remembers: the monitor's, the MIB folder, the library folder and the
// folders searched for imported modules after stdmib/.

#include <QString>
#include <QStringList>

class SettingsStore;

// Reads the folders at start-up and stores a changed MIB or library folder.
class FolderSettings {
  public:
    explicit FolderSettings(SettingsStore& settings);

    // The monitor's program folder with its separator; empty when the monitor is not installed.
    const QString& monitorFolder() const { return monitorFolder_; }
    // Stores the folder the user chose as the monitor's "exepath".
    void setMonitorFolder(const QString& folder);
    // Offered by the MIB import dialog.
    const QString& mibFolder() const { return mibFolder_; }
    void setMibFolder(const QString& folder);
    // Offered by the library open and save dialogs.
    const QString& libraryFolder() const { return libraryFolder_; }
    void setLibraryFolder(const QString& folder);

    // Searched for imported modules after stdmib/, in order: the stored list, or the defaults
    // when none is stored.
    QStringList moduleFolders() const;
    // Stores the list; the defaults, or no folder at all, store nothing (the defaults then follow
    // the environment).
    void setModuleFolders(const QStringList& folders);
    // $MIBDIRS and the system's MIB folders as this process found them.
    const QStringList& defaultModuleFolders() const { return defaultModuleFolders_; }
    // Replaces them (a test stands for a machine without MIB folders of its own).
    void setDefaultModuleFolders(const QStringList& folders) { defaultModuleFolders_ = folders; }

    // The folder of the running program, with its separator.
    static QString programFolder();
    // What the dialogs offer for a stored (or the default) folder: the folder itself, but the
    // user's home in place of the program's folder where the user cannot write there (an installed
    // program), so that no library is saved where it cannot be written.
    static QString OfferedFolder(const QString& folder, const QString& programFolder);

  private:
    SettingsStore& settings_;
    QString monitorFolder_, mibFolder_, libraryFolder_;
    QStringList defaultModuleFolders_;
};
