#pragma once
// The one door through which the window asks the user: message boxes and file dialogs.

#include <QString>
#include <QStringList>

class QDialog;

// What a file dialog offers: its name, filter in "description|patterns|..." form,
// default extension, initial folder and the file name it proposes.
struct FileDialogSpec {
    QString name;
    QString filter;
    QString defaultExt;
    QString initialDir;
    QString fileName = {};
};

enum class DialogAnswer { Yes, No, Cancel };

// Message boxes and file dialogs; tests substitute answers prepared in advance.
class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    // true for Yes; Enter presses defaultButton (Yes or No).
    virtual bool warningYesNo(const QString& text, DialogAnswer defaultButton = DialogAnswer::Yes) = 0;
    // Enter presses defaultButton; Escape and the close box answer Cancel.
    virtual DialogAnswer confirmYesNoCancel(const QString& text,
                                            DialogAnswer defaultButton = DialogAnswer::Yes) = 0;
    // A question answered by one of the buttons (their captions, the last one cancels: Escape and
    // the close box press it); Enter presses defaultButton. Returns the index of the button pressed.
    virtual int choose(const QString& text, const QStringList& buttons, int defaultButton) = 0;
    virtual void information(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    virtual QString openFileName(const FileDialogSpec& dialog) = 0;       // empty: cancelled
    virtual QStringList openFileNames(const FileDialogSpec& dialog) = 0;  // empty: cancelled
    virtual QString saveFileName(const FileDialogSpec& dialog) = 0;       // empty: cancelled
    virtual QString chooseFolder(const FileDialogSpec& dialog) = 0;  // an existing folder; empty: cancelled
    // Shows one of the program's own windows modally (parse error, import log) until it closes.
    virtual int showModal(QDialog& window) = 0;  // the window's result
};
