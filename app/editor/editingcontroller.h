#pragma once
// The editor's state machine: which entry it shows, its edits, Apply, Cancel and the change question.

#include <QString>
#include <functional>
#include <string>

class CommandRunner;
class Document;
class EntryEditor;
class OidTreeView;
class PartialSelection;
class QAction;
class QObject;
class Toiddata;
class TreeNode;
class TreePlace;
class UserDialogs;

enum class EditorMode { Entry, NewEntry, Inactive };

// Keeps the tree, the entry editor and the current entry in step with the library. Methods that
// carry the window's documented names (RebuildTree, ShowEntry, ApplyEditor, MarkEdited, the
// action and tree handlers) keep them; the controller's own helpers are camelCase, as in all of app/.
class EditingController {
  public:
    // Takes ChangesApplyAction and ChangesCancelAction from actionList and connects the tree's
    // selection events and the editor's changes, all through the runner's guarded path.
    EditingController(Document& document, PartialSelection& selection, OidTreeView& tree, EntryEditor& editor,
                      QObject& actionList, UserDialogs& dialogs, CommandRunner& runner);

    OidTreeView& tree() { return tree_; }
    EditorMode mode() const { return mode_; }
    // The editor holds changes not yet applied to an entry.
    bool edited() const { return edited_; }
    Toiddata* currentEntry() const { return currentEntry_; }
    // Called whenever the edited flag changes.
    void setEditedHandler(std::function<void()> handler) { editedChanged_ = std::move(handler); }
    // The library holds unsaved changes or the editor unapplied ones: closing, New and Open ask first.
    bool hasUnsavedWork() const;

    // Rebuilds the tree from the library, selecting the node of selectKey; status shows the counts.
    // In partial selection the entries ticked before stay ticked.
    void RebuildTree(const std::string& selectKey);
    // Shows the counts of the last rebuild in the status bar ("157 OIDs in 12 Groups").
    void showCounts();
    // Drops every node and the editor's entry before the library frees its entries.
    void forgetEntries();
    void ShowEntry(Toiddata& entry);
    void ShowEntry(EditorMode blankMode);  // NewEntry or Inactive
    void ApplyEditor(Toiddata* entry);
    // The Apply action: applies the edits to the current entry (or a new one), a step to undo.
    // Edits the editor refuses (no name, an OID that is not dotted decimal) are not applied: a
    // message names the field, which gets the focus; returns false then.
    bool ChangesApplyActionExecute();
    // Runs the Apply action when there are edits of an existing entry (Save, Save As, Save for the
    // monitor, Replace, an import); false when the editor refused them, and the command stops.
    bool applyPendingEdits();
    // After the library changed under the editor (Delete, Undo, Redo, Replace, an import): rebuilds
    // the tree with the nodes of place open, selects entry's node or, without one, the nearest
    // remaining neighbour of the node place had selected, and shows the selected entry in the
    // editor (inactive for a group, an agent or none). entry may be one the change freed: it is
    // compared with the library's entries, never read, unless it is still there. A new entry
    // being typed stays in the editor, with no node selected.
    void rebuildAndShow(const TreePlace& place, Toiddata* entry);
    // The editor follows the tree's selected node; unapplied edits of a new entry stay, with no
    // node selected, as after "Add OID...".
    void showSelectedNode();

  private:
    void setEdited(bool edited);
    bool acceptEdits();
    void MarkEdited();
    void ChangesCancelActionExecute();
    bool TreeviewChanging(TreeNode* target);
    void TreeviewChange(TreeNode* node);
    void enableApplyAndCancel(bool enabled);

    Document& document_;
    PartialSelection& selection_;
    OidTreeView& tree_;
    EntryEditor& editor_;
    UserDialogs& dialogs_;
    CommandRunner& runner_;
    QAction* ChangesApplyAction_;
    QAction* ChangesCancelAction_;

    bool edited_ = false;
    std::function<void()> editedChanged_;
    EditorMode mode_ = EditorMode::Inactive;
    Toiddata* currentEntry_ = nullptr;
    QString counts_;  // the status text of the last rebuild
};
