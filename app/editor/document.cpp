#include "app/editor/document.h"

void Document::setFileName(const QString& fileName) {
    fileName_ = fileName;
    emit fileNameChanged(fileName_);
}

void Document::setUnsaved(bool unsaved) {
    if (unsaved_ == unsaved) return;
    unsaved_ = unsaved;
    emit unsavedChanged(unsaved_);
}

void Document::libraryChanged(const std::string& what) {
    if (history_.Record(library_, what)) emit historyChanged();
    setUnsaved(true);
}

void Document::librarySaved() {
    history_.MarkSaved();
    setUnsaved(false);
}

void Document::libraryReplaced() {
    history_.Reset(library_);
    emit historyChanged();
    setUnsaved(false);
}

void Document::fileOverwritten() {
    history_.ForgetSaved();
    setUnsaved(true);
}

void Document::undo() {
    history_.Undo(library_);
    emit historyChanged();
    setUnsaved(!history_.AtSavedState());
}

void Document::redo() {
    history_.Redo(library_);
    emit historyChanged();
    setUnsaved(!history_.AtSavedState());
}
