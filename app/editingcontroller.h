#pragma once
// The editor's state machine: which entry it shows, its edits, Apply, Cancel and the change question.

#include <string>

class CommandRunner;
class Document;
class EntryEditor;
class OidTreeView;
class QAction;
class QObject;
class Toiddata;
class TreeNode;
class UserDialogs;

enum class EditorMode { Entry, NewEntry, Inactive };

// Keeps the tree, the entry editor and the current entry in step with the library. Methods that
// carry the window's documented names (RebuildTree, ShowEntry, ApplyEditor, MarkEdited, the
// action and tree handlers) keep them; the controller's own helpers are camelCase, as in all of app/.
class EditingController {
  public:
    // Takes ChangesApplyAction and ChangesCancelAction from actionList and connects the tree's
    // selection events and the editor's changes, all through the runner's guarded path.
    EditingController(Document& document, OidTreeView& tree, EntryEditor& editor, QObject& actionList,
                      UserDialogs& dialogs, CommandRunner& runner);

    OidTreeView& tree() { return tree_; }
    EditorMode mode() const { return mode_; }
    // The editor holds changes not yet applied to an entry.
    bool edited() const { return edited_; }
    Toiddata* currentEntry() const { return currentEntry_; }
    // The library holds unsaved changes or the editor unapplied ones: closing, New and Open ask first.
    bool hasUnsavedWork() const;

    // Rebuilds the tree from the library, selecting the node of selectKey; status shows the counts.
    void RebuildTree(const std::string& selectKey);
    // Drops every node and the editor's entry before the library frees its entries.
    void forgetEntries();
    void ShowEntry(Toiddata& entry);
    void ShowEntry(EditorMode blankMode);  // NewEntry or Inactive
    void ApplyEditor(Toiddata* entry);
    // The Apply action: applies the edits to the current entry (or a new one) and marks the library unsaved.
    void ChangesApplyActionExecute();
    // Runs the Apply action when there are edits of an existing entry (Save, Save As, Save for the monitor).
    void applyPendingEdits();

  private:
    void MarkEdited();
    void ChangesCancelActionExecute();
    bool TreeviewChanging(TreeNode* target);
    void TreeviewChange(TreeNode* node);
    void enableApplyAndCancel(bool enabled);

    Document& document_;
    OidTreeView& tree_;
    EntryEditor& editor_;
    UserDialogs& dialogs_;
    CommandRunner& runner_;
    QAction* ChangesApplyAction_;
    QAction* ChangesCancelAction_;

    bool edited_ = false;
    EditorMode mode_ = EditorMode::Inactive;
    Toiddata* currentEntry_ = nullptr;
};
