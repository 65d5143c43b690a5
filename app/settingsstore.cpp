#include "app/settingsstore.h"

namespace {

QStringList keyParts(const QString& keyPath) {
    return keyPath.split('\\', Qt::SkipEmptyParts);
}

QString findGroupBelow(QSettings& settings, const QString& group, QStringList parts) {
    if (parts.isEmpty()) return group;
    const QString part = parts.takeFirst();
    if (!group.isEmpty()) settings.beginGroup(group);
    const QStringList children = settings.childGroups();
    if (!group.isEmpty()) settings.endGroup();
    // An INI file may spell one key in several ways; the registry would hold them as one.
    for (const QString& child : children) {
        if (child.compare(part, Qt::CaseInsensitive) != 0) continue;
        const QString found = findGroupBelow(settings, group.isEmpty() ? child : group + '/' + child, parts);
        if (!found.isEmpty()) return found;
    }
    return {};
}

// The group path of keyPath as stored (letter case as found), or empty when missing.
QString findGroup(QSettings& settings, const QString& keyPath) {
    return findGroupBelow(settings, QString(), keyParts(keyPath));
}

QString readFrom(QSettings* settings, const QString& keyPath, const QString& value) {
    if (!settings) return {};
    const QString group = findGroup(*settings, keyPath);
    if (group.isEmpty()) return {};
    settings->beginGroup(group);
    const QString text = settings->value(value).toString();
    settings->endGroup();
    return text;
}

}  // namespace

SettingsStore::SettingsStore()
#ifdef Q_OS_WIN
    : user_(std::make_unique<QSettings>("HKEY_CURRENT_USER", QSettings::NativeFormat)),
      system_(std::make_unique<QSettings>("HKEY_LOCAL_MACHINE", QSettings::NativeFormat))
#else
    : user_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Veltrane", "Oidwright")),
      system_(
          std::make_unique<QSettings>(QSettings::IniFormat, QSettings::SystemScope, "Veltrane", "Oidwright"))
#endif
{
    user_->setFallbacksEnabled(false);  // the fallback is ours, key by key
}

SettingsStore::SettingsStore(const QString& userIni, const QString& systemIni)
    : user_(std::make_unique<QSettings>(userIni, QSettings::IniFormat)),
      system_(systemIni.isEmpty() ? nullptr : std::make_unique<QSettings>(systemIni, QSettings::IniFormat)) {}

QString SettingsStore::read(const QString& keyPath, const QString& value) const {
    const QString text = readFrom(user_.get(), keyPath, value);
    return text.isEmpty() ? readFrom(system_.get(), keyPath, value) : text;
}

void SettingsStore::write(const QString& keyPath, const QString& value, const QString& text) {
    if (read(keyPath, value) == text) return;
    QString group = findGroup(*user_, keyPath);
    if (group.isEmpty()) group = keyParts(keyPath).join('/');
    user_->beginGroup(group);
    user_->setValue(value, text);
    user_->endGroup();
    user_->sync();
}
