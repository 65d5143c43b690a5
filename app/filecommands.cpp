#include "app/filecommands.h"

#include <QDir>
#include <QFileInfo>

#include "app/folders.h"
#include "app/form1.h"
#include "app/qtstrings.h"
#include "library/oidfile.h"

QString FileCommands::WithLibraryExtension(const QString& fileName) {
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) return fileName;
    return fileName + ".oidlib";
}

void FileCommands::ResetToNew() {
    form_.setCurrentFile(QString());
    form_.ForgetEntries();
    form_.library().Clear();
    form_.RebuildTree(std::string());
    form_.ShowEntry(EditorMode::Inactive);
}

void FileCommands::NewOIDFile1Click() {
    if (!form_.ConfirmDiscard()) return;
    ResetToNew();
}

void FileCommands::Open1Click() {
    if (!form_.ConfirmDiscard()) return;
    form_.openDialog().initialDir = form_.libraryFolder();
    const QString fileName = WithLibraryExtension(form_.dialogs().openFileName(form_.openDialog()));
    if (fileName.isEmpty()) return;
    form_.setLibraryFolder(FolderOf(fileName));

    form_.setStatusText("Loading...");
    form_.ForgetEntries();
    form_.library().Clear();
    form_.processPendingMessages();
    std::string refusal;
    try {
        refusal = form_.library().LoadFromFile(fromQt(fileName));
    } catch (...) {
        ResetToNew();  // a failed read leaves a new, empty library behind the error box
        throw;
    }
    if (!refusal.empty()) {
        form_.dialogs().information(toQt(refusal));
        ResetToNew();
        return;
    }
    form_.RebuildTree(std::string());
    form_.ShowEntry(EditorMode::Inactive);
    form_.setUnsaved(false);
    form_.setCurrentFile(fileName);
}

void FileCommands::Save1Click() {
    if (form_.currentFileName().isEmpty()) {
        SaveAs1Click();
        return;
    }
    form_.setStatusText("Saving...");
    form_.library().SaveToFile(fromQt(form_.currentFileName()));
    form_.setUnsaved(false);
    form_.setStatusText(QString());
}

void FileCommands::applyPendingEdits() {
    if (form_.edited() && form_.currentEntry()) form_.ChangesApplyActionExecute();
}

void FileCommands::saveAs(const QString& fileName) {
    form_.setStatusText("Saving...");
    form_.setCurrentFileName(fileName);
    form_.library().SaveToFile(fromQt(fileName));
    form_.setUnsaved(false);
    form_.UpdateCaption();
    form_.setStatusText(QString());
}

void FileCommands::SaveAs1Click() {
    applyPendingEdits();
    form_.saveDialog().initialDir = form_.libraryFolder();
    const QString fileName = WithLibraryExtension(form_.dialogs().saveFileName(form_.saveDialog()));
    if (fileName.isEmpty()) return;
    form_.setLibraryFolder(FolderOf(fileName));
    saveAs(fileName);
}

void FileCommands::SaveToZelto1Click() {
    applyPendingEdits();
    const QString libraryDir = form_.monitorFolder() + "snmplibs";
    if (!QDir().mkpath(libraryDir)) throw eoidfileerror(fromQt("Can not create the folder " + libraryDir));
    if (!form_.currentFileName().isEmpty()) {
        const QString target =
            WithTrailingSeparator(libraryDir) + QFileInfo(form_.currentFileName()).fileName();
        form_.library().SaveToFile(fromQt(target));
        return;
    }
    form_.saveDialog().initialDir = libraryDir;
    const QString fileName = WithLibraryExtension(form_.dialogs().saveFileName(form_.saveDialog()));
    if (fileName.isEmpty()) return;
    form_.setCurrentFileName(fileName);
    form_.library().SaveToFile(fromQt(fileName));
    form_.setUnsaved(false);
    form_.UpdateCaption();
}
