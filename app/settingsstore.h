#pragma once
// The machine-wide folder settings: the registry under HKEY_LOCAL_MACHINE on Windows,
// an INI file of the same keys and values elsewhere.

#include <QSettings>
#include <QString>
#include <memory>

// Key paths of the stored folders, compared without regard to letter case.
inline const QString MonitorKey = "\\software\\veltrane\\Zelto Network Monitor\\V7\\Server\\Core";
inline const QString ProgramKey = "\\SOFTWARE\\Veltrane\\Oidwright";

// Reads never create a key; writes store a value only when it differs; failures are silent.
class SettingsStore {
  public:
    // The platform's machine-wide store (on Unix the system-scope INI file "Veltrane/Oidwright.ini").
    SettingsStore();
    // An INI file standing in for the machine-wide store.
    explicit SettingsStore(const QString& iniFile);

    // The stored text, or empty when the key or the value is missing.
    QString read(const QString& keyPath, const QString& value) const;
    // Stores text under the program's key, creating the key when missing.
    void write(const QString& value, const QString& text);

  private:
    // The group path of keyPath as stored (letter case as found), or empty when missing.
    QString findGroup(const QString& keyPath) const;
    QString findGroupBelow(const QString& group, QStringList parts) const;

    std::unique_ptr<QSettings> settings_;
};
