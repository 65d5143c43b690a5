#pragma once
// What the screenshot tools share: a main window that does not depend on the machine, and the
// picture file.

#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <string>

#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/form1.h"
#include "app/settingsstore.h"
#include "library/oidfile.h"

// The main window over settings of its own (no stored folders or agent) with the library file
// loaded and its tree built, the node of selectKey selected; not yet shown.
struct ShotWindow {
    ShotWindow(UserDialogs& dialogs, const char* library, const std::string& selectKey = {})
        : settings(settingsDir.filePath("machine.ini")), form(dialogs, settings) {
        form.document().library().LoadFromFile(library);
        form.document().setFileName(QString::fromLocal8Bit(library));
        form.document().libraryReplaced();
        form.editing().RebuildTree(selectKey);
    }

    QTemporaryDir settingsDir;
    SettingsStore settings;
    TForm1 form;
};

// Saves what window shows as the PNG png; the tool's exit code: 0, or 1 when it cannot be written.
inline int SaveShot(QWidget& window, const char* png) {
    if (window.grab().save(QString::fromLocal8Bit(png))) return 0;
    std::fprintf(stderr, "cannot write %s\n", png);
    return 1;
}
