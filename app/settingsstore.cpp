#include "app/settingsstore.h"

namespace {

QStringList keyParts(const QString& keyPath) {
    return keyPath.split('\\', Qt::SkipEmptyParts);
}

}  // namespace

SettingsStore::SettingsStore()
#ifdef Q_OS_WIN
    : settings_(std::make_unique<QSettings>("HKEY_LOCAL_MACHINE", QSettings::NativeFormat))
#else
    : settings_(
          std::make_unique<QSettings>(QSettings::IniFormat, QSettings::SystemScope, "Veltrane", "Oidwright"))
#endif
{
}

SettingsStore::SettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

QString SettingsStore::findGroup(const QString& keyPath) const {
    return findGroupBelow(QString(), keyParts(keyPath));
}

QString SettingsStore::findGroupBelow(const QString& group, QStringList parts) const {
    if (parts.isEmpty()) return group;
    const QString part = parts.takeFirst();
    if (!group.isEmpty()) settings_->beginGroup(group);
    const QStringList children = settings_->childGroups();
    if (!group.isEmpty()) settings_->endGroup();
    // An INI file may spell one key in several ways; the registry would hold them as one.
    for (const QString& child : children) {
        if (child.compare(part, Qt::CaseInsensitive) != 0) continue;
        const QString found = findGroupBelow(group.isEmpty() ? child : group + '/' + child, parts);
        if (!found.isEmpty()) return found;
    }
    return {};
}

QString SettingsStore::read(const QString& keyPath, const QString& value) const {
    const QString group = findGroup(keyPath);
    if (group.isEmpty()) return {};
    settings_->beginGroup(group);
    const QString text = settings_->value(value).toString();
    settings_->endGroup();
    return text;
}

void SettingsStore::write(const QString& value, const QString& text) {
    if (read(ProgramKey, value) == text) return;
    QString group = findGroup(ProgramKey);
    if (group.isEmpty()) group = keyParts(ProgramKey).join('/');
    settings_->beginGroup(group);
    settings_->setValue(value, text);
    settings_->endGroup();
    settings_->sync();
}
