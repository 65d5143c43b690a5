#include "app/commandrunner.h"

#include <QCoreApplication>
#include <QStatusBar>

#include "app/qtstrings.h"
#include "app/userdialogs.h"

bool CommandRunner::run(const std::function<void()>& command) {
    if (busy()) return false;  // a long operation is replacing entries; nothing may reach them
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        dialogs_.error(toQt(error.what()));
    }
    return false;
}

void CommandRunner::processPendingMessages() {
    BusyScope busy(*this);
    QCoreApplication::processEvents();
}

void CommandRunner::setStatusText(const QString& text) {
    statusBar_.showMessage(text);
}
