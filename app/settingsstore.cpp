#include "app/settingsstore.h"

#include <algorithm>

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
    QStringList found;
    for (const QString& part : keyParts(keyPath)) {
        if (!found.isEmpty()) settings_->beginGroup(found.join('/'));
        const QStringList children = settings_->childGroups();
        if (!found.isEmpty()) settings_->endGroup();
        auto match = std::find_if(children.begin(), children.end(), [&](const QString& child) {
            return child.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (match == children.end()) return {};
        found << *match;
    }
    return found.join('/');
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
