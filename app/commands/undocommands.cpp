#include "app/commands/undocommands.h"

#include <QAction>
#include <QIcon>

#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/editor/partialselection.h"
#include "app/editor/treeplace.h"
#include "editing/libraryhistory.h"
#include "library/oidfile.h"

UndoCommands::UndoCommands(CommandHost& host) : host_(host) {
    QAction* undo = host.bind("Undo1", [this] { Undo1Click(); });
    QAction* redo = host.bind("Redo1", [this] { Redo1Click(); });
    undo->setIcon(QIcon::fromTheme("edit-undo"));
    redo->setIcon(QIcon::fromTheme("edit-redo"));
    // Both of the usual keys for Redo (the desktops differ in which one they offer).
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(&host.document(), &Document::historyChanged, this, &UndoCommands::updateTexts);
    updateTexts();
}

void UndoCommands::updateTexts() {
    const LibraryHistory& history = host_.document().history();
    QAction* undo = host_.action("Undo1");
    QAction* redo = host_.action("Redo1");
    undo->setText(history.CanUndo() ? QString::fromStdString("&Undo " + history.UndoName()) : "&Undo");
    redo->setText(history.CanRedo() ? QString::fromStdString("&Redo " + history.RedoName()) : "&Redo");
}

void UndoCommands::Undo1Click() {
    step(true);
}

void UndoCommands::Redo1Click() {
    step(false);
}

void UndoCommands::step(bool undo) {
    EditingController& editing = host_.editing();
    Document& document = host_.document();
    if (editing.edited() || (undo ? !document.history().CanUndo() : !document.history().CanRedo())) return;
    Toiddata* shown = editing.mode() == EditorMode::Entry ? editing.currentEntry() : nullptr;
    const TreePlace place = TreePlace::Of(host_.tree());
    host_.selection().rememberTicks();
    editing.forgetEntries();
    undo ? document.undo() : document.redo();
    // The entry the editor showed goes on, with its fields as they are now, if it is still there.
    editing.rebuildAndShow(place, shown);
}
