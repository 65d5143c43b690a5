#pragma once
// The window that shows where a MIB file could not be parsed.

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;

// Tperror: "Parse Error", the failing file's name, the message, the line and the file's text
// with that line active. Created for one error and closed with "Close".
class Tperror : public QDialog {
    Q_OBJECT
  public:
    explicit Tperror(QWidget* mainWindow);

    // Fills the window; line is 1-based. From line 12 on the text is scrolled so that the
    // error line is the tenth visible line.
    void showError(const QString& fileName, const QString& message, const QString& text, int line);
    // Lines under the message, such as every module missing from the import; hidden when empty.
    void showDetails(const QStringList& lines);

  private:
    QWidget* buildTopPanel();
    QWidget* buildBottomPanel();

    QLabel *fileValue_, *errorValue_, *lineValue_, *details_;
    QPlainTextEdit* memo_;
};
