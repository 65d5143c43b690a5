#pragma once
// Partial selection's commands: tick a part of the tree and save only the ticked entries as a new library.

#include <QObject>

#include "app/commands/commandhost.h"
#include "app/dialogs/userdialogs.h"

class QLabel;

// The box PartialBox with its buttons, counter and partial save; the mode and the ticks
// themselves are the host's PartialSelection.
class SelectionCommands : public QObject, public CommandFamily {
    Q_OBJECT
  public:
    explicit SelectionCommands(CommandHost& host);

    void POPrepareActionExecute();
    void POAllActionExecute();
    void PONoneActionExecute();
    void POCancelActionExecute();
    void POSaveActionExecute();

    // "Partial " before the file's own name, in its folder: /libs/router.oidlib -> /libs/Partial
    // router.oidlib.
    static QString PartialFileName(const QString& fileName);
    // The question before a partial save writes over an existing file, plainer when that file is
    // the open library: the subset would replace the whole library on disk.
    static QString OverwriteQuestion(const QString& fileName, bool openLibrary);
    // Both name one file (through links, when it exists).
    static bool SameFile(const QString& a, const QString& b);

  private:
    void buildPartialBox();

    CommandHost& host_;
    FileDialogSpec PartialSaveDialog_;
    QLabel* CounterCountLabel_ = nullptr;
};
