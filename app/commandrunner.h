#pragma once
// The guarded path every command takes, and the busy state of long operations.

#include <QString>
#include <functional>

class QStatusBar;
class QWidget;
class UserDialogs;

// Runs commands so that none runs while a long operation lets pending events through,
// and so that an exception ends only the command: its message shows in the error box.
class CommandRunner {
  public:
    CommandRunner(UserDialogs& dialogs, QStatusBar& statusBar) : dialogs_(dialogs), statusBar_(statusBar) {}

    // Runs command unless a long operation is under way; returns false when refused or failed.
    bool run(const std::function<void()>& command);
    // command wrapped in run, ready to connect to a signal.
    std::function<void()> guarded(std::function<void()> command) {
        return [this, command = std::move(command)] { run(command); };
    }

    bool busy() const { return busy_ > 0; }
    // Marks a long operation during which commands are refused.
    class BusyScope {
      public:
        explicit BusyScope(CommandRunner& runner) : runner_(runner) { ++runner_.busy_; }
        ~BusyScope() {
            if (--runner_.busy_ == 0) runner_.closeWhenIdle();
        }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

      private:
        CommandRunner& runner_;
    };

    // An import or a device check under way: besides refusing commands, the editor and the tree's
    // check boxes take no input (the enabling table), so that nothing typed meanwhile is lost.
    class LongOperation {
      public:
        explicit LongOperation(CommandRunner& runner);
        ~LongOperation();
        LongOperation(const LongOperation&) = delete;
        LongOperation& operator=(const LongOperation&) = delete;

      private:
        CommandRunner& runner_;
        BusyScope busy_;
    };
    bool longOperation() const { return longOperations_ > 0; }
    // Called whenever a long operation begins or ends.
    void setLongOperationHandler(std::function<void()> handler) {
        longOperationChanged_ = std::move(handler);
    }

    // Repaints and lets the window handle what is pending; commands are refused meanwhile.
    void processPendingMessages();
    void setStatusText(const QString& text);

    // Closing the window during a long operation: it closes (through its ordinary close path)
    // once the command under way has returned; commands stop at their next safe point meanwhile.
    void deferClose(QWidget& window);
    bool closeRequested() const { return closeWindow_ != nullptr; }

  private:
    void closeWhenIdle();

    UserDialogs& dialogs_;
    QStatusBar& statusBar_;
    int busy_ = 0;
    int longOperations_ = 0;
    std::function<void()> longOperationChanged_;
    QWidget* closeWindow_ = nullptr;
};
