#include "app/commands/filecommands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

#include "app/commandrunner.h"
#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/folders.h"
#include "app/foldersettings.h"
#include "app/qtstrings.h"
#include "library/oidfile.h"

namespace {

const QString DiscardQuestion =
    "Your latest changes have not been saved yet.\n\rDo you want to proceed without saving?";

}  // namespace

FileCommands::FileCommands(CommandHost& host)
    : host_(host),
      Open_{"Open", OidlibFilter, ".oid", {}},
      SaveDialog1_{"SaveDialog1", OidlibFilter, ".oid", {}} {
    host.bind("NewOIDFile1", [this] { NewOIDFile1Click(); });
    host.bind("Open1", [this] { Open1Click(); });
    host.bind("Save1", [this] { Save1Click(); });
    host.bind("SaveAs1", [this] { SaveAs1Click(); });
    host.bind("SaveToZelto1", [this] { SaveToZelto1Click(); })
        ->setVisible(!host.folders().monitorFolder().isEmpty());
    ResetToNew();
}

QString FileCommands::WithLibraryExtension(const QString& fileName) {
    return WithDefaultExtension(fileName, "oidlib");
}

bool FileCommands::ConfirmDiscard() {
    if (!host_.editing().hasUnsavedWork()) return true;
    if (!host_.dialogs().warningYesNo(DiscardQuestion)) return false;
    host_.document().setUnsaved(false);
    return true;
}

void FileCommands::ResetToNew() {
    EditingController& editing = host_.editing();
    host_.document().setFileName(QString());
    editing.forgetEntries();
    host_.document().library().Clear();
    editing.RebuildTree(std::string());
    editing.ShowEntry(EditorMode::Inactive);
    host_.document().libraryReplaced();
}

void FileCommands::NewOIDFile1Click() {
    if (!ConfirmDiscard()) return;
    ResetToNew();
}

void FileCommands::Open1Click() {
    if (!ConfirmDiscard()) return;
    Open_.initialDir = host_.folders().libraryFolder();
    const QString fileName = host_.dialogs().openFileName(Open_);  // the chosen file as it is
    if (fileName.isEmpty()) return;
    host_.folders().setLibraryFolder(FolderOf(fileName));

    Document& document = host_.document();
    EditingController& editing = host_.editing();
    host_.runner().setStatusText("Loading...");
    editing.forgetEntries();
    document.library().Clear();
    host_.runner().processPendingMessages();
    std::string refusal;
    try {
        refusal = document.library().LoadFromFile(PathBytes(fileName));
    } catch (...) {
        ResetToNew();  // a failed read leaves a new, empty library behind the error box
        throw;
    }
    if (!refusal.empty()) {
        host_.dialogs().information(toQt(refusal));
        ResetToNew();
        return;
    }
    editing.RebuildTree(std::string());
    editing.ShowEntry(EditorMode::Inactive);
    document.libraryReplaced();
    document.setFileName(fileName);
    // OIDs no device answers as written load unchanged: the status bar says where the first one is.
    if (const std::vector<LoadNote>& notes = document.library().LoadNotes; !notes.empty())
        host_.runner().setStatusText(
            toQt("Line " + std::to_string(notes[0].line) + ": " + notes[0].message +
                 (notes.size() > 1 ? " (" + std::to_string(notes.size() - 1) + " more like it)" : "")));
}

void FileCommands::Save1Click() {
    if (!host_.editing().applyPendingEdits()) return;  // what the user typed is what gets saved
    Document& document = host_.document();
    if (document.fileName().isEmpty()) {
        SaveAs1Click();
        return;
    }
    host_.runner().setStatusText("Saving...");
    document.library().SaveToFile(PathBytes(document.fileName()));
    document.librarySaved();
    host_.editing().showCounts();
}

void FileCommands::saveAs(const QString& fileName) {
    Document& document = host_.document();
    host_.runner().setStatusText("Saving...");
    document.library().SaveToFile(PathBytes(fileName));
    document.setFileName(fileName);  // only a written file becomes the current one
    document.librarySaved();
    host_.editing().showCounts();
}

void FileCommands::SaveAs1Click() {
    if (!host_.editing().applyPendingEdits()) return;
    SaveDialog1_.initialDir = host_.folders().libraryFolder();
    const QString fileName = WithLibraryExtension(host_.dialogs().saveFileName(SaveDialog1_));
    if (fileName.isEmpty()) return;
    host_.folders().setLibraryFolder(FolderOf(fileName));
    saveAs(fileName);
}

void FileCommands::SaveToZelto1Click() {
    if (!host_.editing().applyPendingEdits()) return;
    Document& document = host_.document();
    const QString libraryDir = host_.folders().monitorFolder() + "snmplibs";
    if (!QDir().mkpath(libraryDir)) throw OidFileError(fromQt("Can not create the folder " + libraryDir));
    if (!document.fileName().isEmpty()) {
        const QString target = WithTrailingSeparator(libraryDir) + QFileInfo(document.fileName()).fileName();
        document.library().SaveToFile(PathBytes(target));
        return;
    }
    SaveDialog1_.initialDir = libraryDir;
    const QString fileName = WithLibraryExtension(host_.dialogs().saveFileName(SaveDialog1_));
    if (fileName.isEmpty()) return;
    document.library().SaveToFile(PathBytes(fileName));
    document.setFileName(fileName);
    document.librarySaved();
}
