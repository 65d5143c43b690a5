#pragma once
// The window that shows a report or log as lines of text and saves it to a log file.

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "app/dialogs/userdialogs.h"
#include "app/qtstrings.h"

class CommandRunner;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// Tlogwindow: "Import Log". The import shows its report and log in it, the log filtered to its
// notes unless the user asks for everything; any command that reports in lines can show them the
// same way. Every text gets Find and the same "Save...".
class Tlogwindow : public QDialog {
    Q_OBJECT
  public:
    static inline const QString LogFilter = "Oidwright log files|*.log";
    // The choices of LogFilterBox, in its order.
    static inline const QString NotesChoice = "Report and notes";
    static inline const QString EverythingChoice = "Everything";

    Tlogwindow(QWidget* mainWindow, UserDialogs& dialogs, CommandRunner& runner);

    // The memo's text: the lines as the core made them (bytes, shown as the window decodes texts).
    // A hidden window fills its memo when it is next shown: an import's log may hold 100,000 lines.
    void setLines(const std::vector<std::string>& lines);
    // The report, then the log: only its notes (IsLogNote) or all of it, as LogFilterBox says.
    // The memo is read-only then; "Save..." writes the report and the whole log whatever shows.
    void setReport(const std::vector<std::string>& report, const std::vector<std::string>& log);
    // Shows the lines without waiting (not modal).
    void showLines(const std::vector<std::string>& lines);
    // Shows the lines, or the report and log, modally until the user closes the window.
    void execLines(const std::vector<std::string>& lines);
    void execReport(const std::vector<std::string>& report, const std::vector<std::string>& log);
    // Shows the current lines without waiting, in front of the main window.
    void showWindow();

    // Selects the next place, after the selection or the caret, where the memo holds the text of
    // LogFindEdit (letter case aside), going on from the top after the last; false when there is none.
    bool findNext();

    // "Close".
    void Button1Click();
    // "Save...": asks for a file in the log folder and writes the memo's lines with CR LF.
    void Button2Click();

    // Where logs are saved: "logs" in the program's folder, or the user's data folder + "/logs"
    // when that cannot be created or written (an installed program). Created when missing.
    static QString LogFolder(const QString& programFolder);
    // "Oidlog-" + local date and time: "Oidlog-20240131-235959".
    static QString DefaultLogName();
    // The bytes a save writes: the lines as set (the report and the whole log) while the memo shows
    // them unchanged, else the memo's text encoded as the lines were decoded; each line ends with CR LF.
    std::string fileContent() const;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* buildFindRow();
    void fillMemo();
    void refill();

    UserDialogs& dialogs_;
    QPlainTextEdit* memo_;
    QWidget* filterRow_;
    QComboBox* filterBox_;
    QLineEdit* findEdit_;
    QLabel* findStatus_;
    FileDialogSpec saveDialog_;
    std::vector<std::string> lines_;  // the report, or the plain lines
    std::vector<std::string> log_;    // below the report; empty for plain lines
    TextEncoding encoding_ = TextEncoding::Utf8;
    QString shown_;  // the memo's text right after it was filled
    bool memoFilled_ = true;
};
