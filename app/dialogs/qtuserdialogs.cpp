#include "app/dialogs/qtuserdialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

bool QtUserDialogs::warningYesNo(const QString& text, DialogAnswer defaultButton) {
    return QMessageBox::warning(parent_, QString(), text, QMessageBox::Yes | QMessageBox::No,
                                defaultButton == DialogAnswer::No ? QMessageBox::No : QMessageBox::Yes) ==
           QMessageBox::Yes;
}

namespace {

QMessageBox::StandardButton StandardButtonOf(DialogAnswer answer) {
    switch (answer) {
        case DialogAnswer::Yes:
            return QMessageBox::Yes;
        case DialogAnswer::No:
            return QMessageBox::No;
        case DialogAnswer::Cancel:
            break;
    }
    return QMessageBox::Cancel;
}

}  // namespace

DialogAnswer QtUserDialogs::confirmYesNoCancel(const QString& text, DialogAnswer defaultButton) {
    const auto button = QMessageBox::question(parent_, QString(), text,
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                              StandardButtonOf(defaultButton));
    if (button == QMessageBox::Yes) return DialogAnswer::Yes;
    if (button == QMessageBox::No) return DialogAnswer::No;
    return DialogAnswer::Cancel;
}

int QtUserDialogs::choose(const QString& text, const QStringList& buttons, int defaultButton) {
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::NoButton, parent_);
    box.setObjectName("ChoiceBox");
    QList<QAbstractButton*> pressable;
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const bool cancels = i + 1 == buttons.size();
        pressable << box.addButton(buttons[i], cancels ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(pressable.value(defaultButton)));
    box.setEscapeButton(pressable.value(buttons.size() - 1));
    box.exec();
    const qsizetype pressed = pressable.indexOf(box.clickedButton());
    return pressed < 0 ? int(buttons.size()) - 1 : int(pressed);
}

void QtUserDialogs::information(const QString& text) {
    QMessageBox::information(parent_, QString(), text);
}

void QtUserDialogs::error(const QString& text) {
    QMessageBox::critical(parent_, QString(), text);
}

QString QtUserDialogs::openFileName(const FileDialogSpec& dialog) {
    return runFileDialog(dialog, false, false).value(0);
}

QStringList QtUserDialogs::openFileNames(const FileDialogSpec& dialog) {
    return runFileDialog(dialog, false, true);
}

QString QtUserDialogs::saveFileName(const FileDialogSpec& dialog) {
    return runFileDialog(dialog, true, false).value(0);
}

QString QtUserDialogs::chooseFolder(const FileDialogSpec& dialog) {
    QFileDialog folderDialog(parent_, QString(), dialog.initialDir);
    folderDialog.setObjectName(dialog.name);
    folderDialog.setFileMode(QFileDialog::Directory);
    folderDialog.setOption(QFileDialog::ShowDirsOnly);
    if (folderDialog.exec() != QDialog::Accepted) return {};
    return folderDialog.selectedFiles().value(0);
}

int QtUserDialogs::showModal(QDialog& window) {
    return window.exec();
}

QString QtUserDialogs::qtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        // "*.*" means every file on Windows; elsewhere it would skip files without extension.
        for (QString& pattern : patterns)
            if (pattern == "*.*") pattern = "*";
        filters << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

QStringList QtUserDialogs::runFileDialog(const FileDialogSpec& dialog, bool save, bool multiple) {
    QFileDialog fileDialog(parent_, QString(), dialog.initialDir, qtFilter(dialog.filter));
    fileDialog.setObjectName(dialog.name);
    fileDialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The commands ask before overwriting (so that tests answer it), and no dialog requires the file
    // to exist.
    fileDialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    fileDialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!dialog.fileName.isEmpty()) fileDialog.selectFile(dialog.fileName);
    if (fileDialog.exec() != QDialog::Accepted) return {};
    return fileDialog.selectedFiles();
}
