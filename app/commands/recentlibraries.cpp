#include "app/commands/recentlibraries.h"

#include <QAction>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>

#include "app/commandrunner.h"
#include "app/commands/filecommands.h"
#include "app/editor/document.h"
#include "app/settingsstore.h"

namespace {

// The settings values "recent1" (the newest) to "recent8".
QString valueName(int index) {
    return "recent" + QString::number(index + 1);
}

}  // namespace

RecentLibraries::RecentLibraries(CommandHost& host, SettingsStore& settings, FileCommands& files)
    : host_(host), settings_(settings), fileCommands_(files) {
    for (int i = 0; i < MaxCount; ++i) {
        const QString file = settings.read(ProgramKey, valueName(i));
        if (!file.isEmpty() && !files_.contains(file)) files_ << file;
    }
    auto* fileMenu = host.window().findChild<QMenu*>("File1");
    menu_ = new QMenu("Recent &Libraries", fileMenu);
    menu_->setObjectName("RecentLibraries1");
    fileMenu->insertMenu(host.action("Save1"), menu_);
    // A fixed row per place, so that no row goes away while its own click opens a library.
    for (int i = 0; i < MaxCount; ++i) {
        QAction* item = menu_->addAction(QString());
        item->setObjectName("RecentLibrary" + QString::number(i + 1));
        connect(item, &QAction::triggered, this,
                host.runner().guarded([this, item] { open(item->data().toString()); }));
    }
    fillMenu();
    connect(&host.document(), &Document::fileNameChanged, this, [this](const QString& fileName) {
        if (!fileName.isEmpty()) remember(fileName);
    });
}

void RecentLibraries::remember(const QString& fileName) {
    files_.removeAll(fileName);
    files_.prepend(fileName);
    if (files_.size() > MaxCount) files_.resize(MaxCount);
    store();
}

void RecentLibraries::open(const QString& fileName) {
    if (!QFileInfo::exists(fileName)) {
        files_.removeAll(fileName);
        store();
        host_.dialogs().information("The library " + fileName +
                                    " is no longer there; it is taken off the recent libraries.");
        return;
    }
    fileCommands_.OpenFile(fileName);
}

void RecentLibraries::store() {
    for (int i = 0; i < MaxCount; ++i) settings_.write(valueName(i), files_.value(i));
    fillMenu();
}

void RecentLibraries::fillMenu() {
    const QList<QAction*> items = menu_->actions();
    for (int i = 0; i < MaxCount; ++i) {
        const QString file = files_.value(i);
        items[i]->setData(file);
        items[i]->setText(QString("&%1 %2").arg(i + 1).arg(QString(file).replace("&", "&&")));
        items[i]->setVisible(!file.isEmpty());
    }
    menu_->setEnabled(!files_.isEmpty());
}
