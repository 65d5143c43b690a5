#include "app/commandrunner.h"

#include <QCoreApplication>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>

#include "app/dialogs/userdialogs.h"
#include "app/qtstrings.h"

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

CommandRunner::LongOperation::LongOperation(CommandRunner& runner) : runner_(runner), busy_(runner) {
    if (++runner_.longOperations_ == 1 && runner_.longOperationChanged_) runner_.longOperationChanged_();
}

CommandRunner::LongOperation::~LongOperation() {
    if (--runner_.longOperations_ == 0 && runner_.longOperationChanged_) runner_.longOperationChanged_();
}

void CommandRunner::processPendingMessages() {
    BusyScope busy(*this);
    QCoreApplication::processEvents();
}

void CommandRunner::setStatusText(const QString& text) {
    statusBar_.showMessage(text);
}

void CommandRunner::deferClose(QWidget& window) {
    closeWindow_ = &window;
}

void CommandRunner::closeWhenIdle() {
    if (!closeWindow_) return;
    // Posted: the operation that just ended may be part of a command that goes on using the library.
    QTimer::singleShot(0, closeWindow_, [this] {
        QWidget* window = closeWindow_;
        if (!window || busy()) return;  // closed already, or a later operation will post again
        closeWindow_ = nullptr;
        window->close();
    });
}
