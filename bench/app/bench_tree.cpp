// Times opening a library of 100,000 entries (50 agents, 2,000 groups) and rebuilding the tree.
// Goals: open plus rebuild under 2 s, rebuild alone under 1 s.

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "app/dialogs/qtuserdialogs.h"
#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/form1.h"
#include "app/settingsstore.h"
#include "benchlibrary.h"

namespace {

std::string writeLibrary(const QString& folder) {
    toidfile library;
    AddBenchAgents(library, 0, 50);
    const std::string fileName = (folder + "/bench.oidlib").toStdString();
    library.SaveToFile(fileName);
    return fileName;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const std::string fileName = writeLibrary(folder.path());

    QtUserDialogs dialogs;
    SettingsStore settings(folder.filePath("machine.ini"));
    TForm1 form(dialogs, settings);
    form.show();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    form.document().library().LoadFromFile(fileName);
    const double load = timer.nsecsElapsed() / 1e9;
    timer.restart();
    form.editing().RebuildTree({});
    const double rebuild = timer.nsecsElapsed() / 1e9;
    timer.restart();
    form.editing().RebuildTree("Agent 49|Group 39|Counter 49");
    const double second = timer.nsecsElapsed() / 1e9;

    std::printf(
        "entries: %d\nload: %.3f s\nrebuild: %.3f s\nopen + rebuild: %.3f s\nrebuild selecting the last "
        "entry: %.3f s\n",
        form.document().library().Count(), load, rebuild, load + rebuild, second);
    return 0;
}
