#pragma once
// Find, Find Next, Find Previous and Replace over the entries the tree shows.

#include <QPersistentModelIndex>
#include <QString>

#include "app/commands/commandhost.h"

class Tsearchdlg;
class TreeNode;

// Walks the tree for entries holding the search text and rewrites it in every shown entry.
class FindCommands : public CommandFamily {
  public:
    explicit FindCommands(CommandHost& host);

    Tsearchdlg& searchdlg() { return *searchdlg_; }
    // The node of the last successful search; nullptr after an unsuccessful one and after every
    // rebuild of the tree (the nodes it referred to are gone).
    TreeNode* searchPosition() const;

    void FindActionExecute();
    void FindNextActionExecute() { Find(true); }
    void FindPreviousActionExecute() { Find(false); }
    void Findreplace1Click();

  private:
    void Find(bool forward);

    CommandHost& host_;
    Tsearchdlg* searchdlg_;
    // A persistent index: it turns invalid by itself when the rebuild removes the nodes.
    QPersistentModelIndex searchPosition_;
};
