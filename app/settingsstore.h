#pragma once
// The folder settings: the user's own store, falling back to the machine-wide one for reading
// (the registry's HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE on Windows, INI files of the same keys
// and values elsewhere), so that a user can save folders and an administrator can preset them.

#include <QSettings>
#include <QString>
#include <memory>

// Key paths of the stored folders, compared without regard to letter case.
inline const QString MonitorKey = "\\software\\veltrane\\Zelto Network Monitor\\V7\\Server\\Core";
inline const QString ProgramKey = "\\SOFTWARE\\Veltrane\\Oidwright";

// Reads never create a key; writes go to the user's store, only when the value differs; failures are silent.
class SettingsStore {
  public:
    // The platform's stores (on Unix "Veltrane/Oidwright.ini" in the user's config folder, then in the
    // system's).
    SettingsStore();
    // INI files standing in for the user's and, when given, the machine-wide store.
    explicit SettingsStore(const QString& userIni, const QString& systemIni = {});

    // The stored text, or empty when the key or the value is missing in both stores.
    QString read(const QString& keyPath, const QString& value) const;
    // Stores text under the program's key in the user's store, creating the key when missing.
    void write(const QString& value, const QString& text) { write(ProgramKey, value, text); }
    // The same under keyPath: the monitor's folder chosen in the window goes under the monitor's
    // key, where its installation would have put it.
    void write(const QString& keyPath, const QString& value, const QString& text);

  private:
    std::unique_ptr<QSettings> user_;
    std::unique_ptr<QSettings> system_;  // may be null
};
