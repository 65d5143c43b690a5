#pragma once
// The window that shows a report or log as lines of text and saves it to a log file.

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "app/dialogs/userdialogs.h"
#include "app/qtstrings.h"

class CommandRunner;
class QPlainTextEdit;

// Tlogwindow: "Import Log". The import shows its reports and log in it; any command that
// reports in lines can show them the same way and gets the same "Save...".
class Tlogwindow : public QDialog {
    Q_OBJECT
  public:
    static inline const QString LogFilter = "Oidwright log files|*.log";

    Tlogwindow(QWidget* mainWindow, UserDialogs& dialogs, CommandRunner& runner);

    // The memo's text: the lines as the core made them (bytes, shown as the window decodes texts).
    // A hidden window fills its memo when it is next shown: an import's log may hold 100,000 lines.
    void setLines(const std::vector<std::string>& lines);
    // Shows the lines without waiting (not modal).
    void showLines(const std::vector<std::string>& lines);
    // Shows the lines modally until the user closes the window.
    void execLines(const std::vector<std::string>& lines);
    // Shows the current lines without waiting, in front of the main window.
    void showWindow();

    // "Close".
    void Button1Click();
    // "Save...": asks for a file in the log folder and writes the memo's lines with CR LF.
    void Button2Click();

    // Where logs are saved: "logs" in the program's folder, or the user's data folder + "/logs"
    // when that cannot be created or written (an installed program). Created when missing.
    static QString LogFolder(const QString& programFolder);
    // "Oidlog-" + local date and time: "Oidlog-20240131-235959".
    static QString DefaultLogName();
    // The bytes a save writes: the lines as set while the memo shows them unchanged, else the
    // memo's text encoded as the lines were decoded; each line ends with CR LF.
    std::string fileContent() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void fillMemo();

    UserDialogs& dialogs_;
    QPlainTextEdit* memo_;
    FileDialogSpec saveDialog_;
    std::vector<std::string> lines_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    QString shown_;  // the memo's text right after it was filled
    bool memoFilled_ = true;
};
