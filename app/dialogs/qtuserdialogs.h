#pragma once
// UserDialogs shown with Qt's message boxes and file dialogs.

#include <QPointer>
#include <QWidget>

#include "app/dialogs/userdialogs.h"

// The interactive implementation; the only place that opens QMessageBox and QFileDialog.
class QtUserDialogs : public UserDialogs {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }

    bool warningYesNo(const QString& text, DialogAnswer defaultButton) override;
    DialogAnswer confirmYesNoCancel(const QString& text, DialogAnswer defaultButton) override;
    int choose(const QString& text, const QStringList& buttons, int defaultButton) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
    QString openFileName(const FileDialogSpec& dialog) override;
    QStringList openFileNames(const FileDialogSpec& dialog) override;
    QString saveFileName(const FileDialogSpec& dialog) override;
    QString chooseFolder(const FileDialogSpec& dialog) override;
    int showModal(QDialog& window) override;

    // "Veltrane SNMP Library|*.oidlib" -> "Veltrane SNMP Library (*.oidlib)"; "Any File|*.*" -> "Any File
    // (*)"
    static QString qtFilter(const QString& filter);

  private:
    QStringList runFileDialog(const FileDialogSpec& dialog, bool save, bool multiple);

    QPointer<QWidget> parent_;
};
