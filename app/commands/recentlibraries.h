#pragma once
// File > Recent Libraries: the libraries opened or saved last, to open again with one click.

#include <QObject>
#include <QStringList>

#include "app/commands/commandhost.h"

class FileCommands;
class QMenu;
class SettingsStore;

// Keeps the last MaxCount library files that were opened or saved (newest first) in the
// settings, and lists them in a submenu of File below "Open...".
class RecentLibraries : public QObject, public CommandFamily {
    Q_OBJECT
  public:
    static constexpr int MaxCount = 8;

    RecentLibraries(CommandHost& host, SettingsStore& settings, FileCommands& files);

    const QStringList& files() const { return files_; }

  private:
    // A file became the current one (opened, saved under a name): it goes to the top.
    void remember(const QString& fileName);
    void open(const QString& fileName);
    void store();
    void fillMenu();

    CommandHost& host_;
    SettingsStore& settings_;
    FileCommands& fileCommands_;
    QMenu* menu_;
    QStringList files_;
};
