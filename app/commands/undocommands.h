#pragma once
// Undo and Redo of the Edit menu.

#include <QObject>

#include "app/commands/commandhost.h"

// Takes back (or makes again) the last change of the library: Apply, Add, Delete, Replace or an
// import. The tree is rebuilt with the ticks of partial selection kept, and the editor goes on
// showing its entry where that entry is still in the library. Both wait while the editor holds
// unapplied edits (the enabling table), which Apply or Cancel settle first.
class UndoCommands : public QObject, public CommandFamily {
    Q_OBJECT
  public:
    explicit UndoCommands(CommandHost& host);

    void Undo1Click();
    void Redo1Click();

  private:
    void step(bool undo);
    // "Undo Delete", "Redo Import": the rows name the change they take back or make again.
    void updateTexts();

    CommandHost& host_;
};
