#pragma once
// UserDialogs for the tools that drive the window without a person: every open dialog chooses
// the given files, every question is answered Yes or No (a choice by its default), errors go to
// standard error.

#include <QDialog>
#include <QStringList>
#include <cstdio>

#include "app/dialogs/userdialogs.h"

class ChoosingDialogs : public UserDialogs {
  public:
    explicit ChoosingDialogs(QStringList files) : files_(std::move(files)) {}
    bool warningYesNo(const QString&, DialogAnswer) override { return true; }
    DialogAnswer confirmYesNoCancel(const QString&, DialogAnswer) override { return DialogAnswer::No; }
    int choose(const QString&, const QStringList&, int defaultButton) override { return defaultButton; }
    void information(const QString&) override {}
    void error(const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    QString openFileName(const FileDialogSpec&) override { return {}; }
    QStringList openFileNames(const FileDialogSpec&) override { return files_; }
    QString saveFileName(const FileDialogSpec&) override { return {}; }
    QString chooseFolder(const FileDialogSpec&) override { return {}; }
    // A modal window is closed at once, as if rejected.
    int showModal(QDialog&) override { return QDialog::Rejected; }

  private:
    QStringList files_;
};
