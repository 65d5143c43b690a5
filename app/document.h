#pragma once
// The library being edited and what belongs to it: its file name and unsaved flag.

#include <QObject>
#include <QString>

#include "library/oidfile.h"

// The main library (shown and edited by every command), the partial library (target of the
// partial save), the current file name (empty for a new library) and the unsaved flag.
class Document : public QObject {
    Q_OBJECT
  public:
    toidfile& library() { return library_; }
    toidfile& partialLibrary() { return partialLibrary_; }

    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& fileName);

    bool unsaved() const { return unsaved_; }
    void setUnsaved(bool unsaved) { unsaved_ = unsaved; }

  signals:
    // The window's caption follows the file name.
    void fileNameChanged(const QString& fileName);

  private:
    toidfile library_;
    toidfile partialLibrary_;
    QString fileName_;
    bool unsaved_ = false;
};
