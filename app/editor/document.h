#pragma once
// The library being edited and what belongs to it: its file name, unsaved flag and undo history.

#include <QObject>
#include <QString>
#include <string>

#include "editing/libraryhistory.h"
#include "library/oidfile.h"

// The main library (shown and edited by every command), the partial library (target of the
// partial save), the current file name (empty for a new library), the unsaved flag and the
// history of the library's changes for Undo and Redo.
class Document : public QObject {
    Q_OBJECT
  public:
    toidfile& library() { return library_; }
    toidfile& partialLibrary() { return partialLibrary_; }
    const LibraryHistory& history() const { return history_; }

    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& fileName);

    bool unsaved() const { return unsaved_; }
    void setUnsaved(bool unsaved);

    // After a change of the library named what ("Apply", "Delete"): a step to undo, and the
    // library is unsaved (also when nothing changed in the end).
    void libraryChanged(const std::string& what);
    // The library is on disk as it is now.
    void librarySaved();
    // The library was replaced (new, opened): nothing to undo, nothing unsaved.
    void libraryReplaced();
    // Something else was written over the library's file: no state of the history is on disk.
    void fileOverwritten();
    // Back to the state before the last change (after the next one); the library is unsaved
    // unless that state is the one on disk. The caller drops the tree first and rebuilds it after.
    void undo();
    void redo();

  signals:
    // The window's caption follows the file name and the unsaved flag.
    void fileNameChanged(const QString& fileName);
    void unsavedChanged(bool unsaved);
    // A step was added, undone or redone, or the history started over.
    void historyChanged();

  private:
    toidfile library_;
    toidfile partialLibrary_;
    LibraryHistory history_;
    QString fileName_;
    bool unsaved_ = false;
};
