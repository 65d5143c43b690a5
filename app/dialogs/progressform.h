#pragma once
// The small window that shows which module an import is searching for.

#include <QDialog>
#include <QString>

class HtmlLabel;

// TProgressForm: "Importing...", shown around each file's import, centred on the main window.
class TProgressForm : public QDialog {
    Q_OBJECT
  public:
    explicit TProgressForm(QWidget* mainWindow);

    // Shows the window centred on the main window.
    void showCentred();
    // The label's HTML for a module search: module in bold, the file scanned below when there is one.
    // ("IF-MIB", "") -> <p align="center">Searching for module: <b>IF-MIB</b>\n</p>
    // ("IF-MIB", "a.my") -> <p align="center">Searching for module: <b>IF-MIB</b>\n<br><center>in file:
    // a.my</p>
    static QString SearchText(const QString& module, const QString& file);
    static inline const QString LoadingText =
        "<p align=\"center\"><font size=\"2\">One moment please, loading and analysing file...</font></p>";
    void setProgressText(const QString& html);

  private:
    HtmlLabel* ProgressLabel_;
};
