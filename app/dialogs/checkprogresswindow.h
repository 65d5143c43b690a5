#pragma once
// The window shown while a live check waits for the agent, with the Cancel that stops it.

#include <QDialog>

#include "check/agentwalk.h"

class QLabel;

// "Checking...": which agent is asked, how far the walk has come, and Cancel. It blocks the rest
// of the program while shown, so nothing reaches the library during the walk.
class CheckProgressWindow : public QDialog {
    Q_OBJECT
  public:
    explicit CheckProgressWindow(QWidget* mainWindow);

    // Shows the window centred on the main window for a new walk; Cancel not yet pressed.
    void start(const QString& agent);
    // "Asking 192.0.2.1, SNMP v2c\nSubtree 3 of 24, 512 variables so far"
    void setProgress(const WalkProgress& progress);
    bool cancelled() const { return cancelled_; }

  public slots:
    // Cancel, Escape and the close box: the walk stops at its next progress call.
    void reject() override;

  private:
    QLabel* label_;
    QString agent_;
    bool cancelled_ = false;
};
