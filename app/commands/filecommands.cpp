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

// "cut.oidlib:758: End of file inside <description>" for malformed XML; other messages name their
// file already.
QString OpenFailure(const QString& fileName, const std::exception& error) {
    const auto* fileError = dynamic_cast<const OidFileError*>(&error);
    if (!fileError || fileError->Line() <= 0) return toQt(error.what());
    return QDir::toNativeSeparators(fileName) + ":" + QString::number(fileError->Line()) + ": " +
           toQt(error.what());
}

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
    // The unsaved mark stays until the library is replaced: a cancelled or failed Open keeps it.
    return host_.dialogs().warningYesNo(DiscardQuestion, DialogAnswer::No);
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
    load(fileName);
}

void FileCommands::OpenFile(const QString& fileName) {
    if (ConfirmDiscard()) load(fileName);
}

void FileCommands::load(const QString& fileName) {
    host_.folders().setLibraryFolder(FolderOf(fileName));

    Document& document = host_.document();
    EditingController& editing = host_.editing();
    host_.runner().setStatusText("Loading...");
    host_.runner().processPendingMessages();
    // Read into a library of its own: a file that fails leaves the library on screen as it was.
    toidfile loaded;
    std::string refusal;
    try {
        refusal = loaded.LoadFromFile(PathBytes(fileName));
    } catch (const std::exception& error) {
        editing.showCounts();
        throw OidFileError(fromQt(OpenFailure(fileName, error)));
    }
    if (!refusal.empty()) {
        editing.showCounts();
        host_.dialogs().information(toQt(refusal));
        return;
    }
    editing.forgetEntries();
    document.library().Clear();
    for (std::unique_ptr<Toiddata>& entry : loaded.TakeAll()) document.library().Add(std::move(entry));
    editing.RebuildTree(std::string());
    editing.ShowEntry(EditorMode::Inactive);
    document.libraryReplaced();
    document.setFileName(fileName);
    // OIDs no device answers as written load unchanged: the status bar says where the first one is.
    if (const std::vector<LoadNote>& notes = loaded.LoadNotes; !notes.empty())
        host_.runner().setStatusText(
            toQt("Line " + std::to_string(notes[0].line) + ": " + notes[0].message +
                 (notes.size() > 1 ? " (" + std::to_string(notes.size() - 1) + " more like it)" : "")));
}

QString FileCommands::ReplaceQuestion(const QString& fileName) {
    return "\"" + QDir::toNativeSeparators(fileName) + "\" already exists.\n\nDo you want to replace it?";
}

QString FileCommands::SavedText(int entries, const QString& fileName) {
    return QString("Saved %1 %2 to %3")
        .arg(entries)
        .arg(entries == 1 ? "entry" : "entries")
        .arg(QDir::toNativeSeparators(fileName));
}

bool FileCommands::mayWrite(const QString& fileName) {
    return !QFileInfo::exists(fileName) ||
           host_.dialogs().warningYesNo(ReplaceQuestion(fileName), DialogAnswer::No);
}

void FileCommands::write(const QString& fileName) {
    host_.runner().setStatusText("Saving...");
    host_.document().library().SaveToFile(PathBytes(fileName));
    host_.runner().setStatusText(SavedText(host_.document().library().Count(), fileName));
}

void FileCommands::Save1Click() {
    if (!host_.editing().applyPendingEdits()) return;  // what the user typed is what gets saved
    Document& document = host_.document();
    if (document.fileName().isEmpty()) {
        SaveAs1Click();
        return;
    }
    write(document.fileName());
    document.librarySaved();
}

void FileCommands::saveAs(const QString& fileName) {
    write(fileName);
    host_.document().setFileName(fileName);  // only a written file becomes the current one
    host_.document().librarySaved();
}

void FileCommands::SaveAs1Click() {
    if (!host_.editing().applyPendingEdits()) return;
    SaveDialog1_.initialDir = host_.folders().libraryFolder();
    const QString fileName = WithLibraryExtension(host_.dialogs().saveFileName(SaveDialog1_));
    if (fileName.isEmpty() || !mayWrite(fileName)) return;
    host_.folders().setLibraryFolder(FolderOf(fileName));
    saveAs(fileName);
}

void FileCommands::SaveToZelto1Click() {
    if (!host_.editing().applyPendingEdits()) return;
    Document& document = host_.document();
    const QString libraryDir = host_.folders().monitorFolder() + "snmplibs";
    if (!QDir().mkpath(libraryDir)) throw OidFileError(fromQt("Can not create the folder " + libraryDir));
    if (!document.fileName().isEmpty()) {
        // A copy for the monitor: the library's own file, name and unsaved mark stay as they are.
        const QString target = WithTrailingSeparator(libraryDir) + QFileInfo(document.fileName()).fileName();
        if (mayWrite(target)) write(target);
        return;
    }
    SaveDialog1_.initialDir = libraryDir;
    const QString fileName = WithLibraryExtension(host_.dialogs().saveFileName(SaveDialog1_));
    if (fileName.isEmpty() || !mayWrite(fileName)) return;
    saveAs(fileName);
}
