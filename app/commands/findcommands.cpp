#include "app/commands/findcommands.h"

#include <QMainWindow>
#include <QTreeWidgetItemIterator>

#include "app/dialogs/searchdlg.h"
#include "app/dialogs/userdialogs.h"
#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/editor/treebuilder.h"
#include "app/editor/treeplace.h"
#include "app/qtstrings.h"
#include "widgets/oidtreeview.h"

namespace {

// A typed text in the byte forms of a UTF-8 field and of any other field (which shows as Windows-1252).
SearchText typedText(const QString& text) {
    return {fromQt(text), Encode(text, TextEncoding::Windows1252)};
}

}  // namespace

FindCommands::FindCommands(CommandHost& host) : host_(host), searchdlg_(new Tsearchdlg(&host.window())) {
    host.bind("FindAction", [this] { FindActionExecute(); });
    host.bind("FindNextAction", [this] { FindNextActionExecute(); });
    host.bind("FindPreviousAction", [this] { FindPreviousActionExecute(); });
    host.bind("Findreplace1", [this] { Findreplace1Click(); });
}

TreeNode* FindCommands::searchPosition() const {
    return static_cast<TreeNode*>(host_.tree().itemFromIndex(searchPosition_));
}

void FindCommands::FindActionExecute() {
    searchdlg_->prepare(Tsearchdlg::Purpose::Find);
    if (host_.dialogs().showModal(*searchdlg_) != QDialog::Accepted) return;
    searchPosition_ = QPersistentModelIndex();
    Find(true);
}

void FindCommands::Find(bool forward) {
    OidTreeView& tree = host_.tree();
    const SearchFields fields = searchdlg_->fields();
    const TextMatcher matcher(typedText(searchdlg_->findText()), fields.caseSensitive);
    // What the filter box hides is not searched: Find goes on within what the user narrowed down to.
    const auto matches = [&](QTreeWidgetItem* node) {
        return IsEntryNode(node) && !node->isHidden() &&
               EntryMatches(*EntryOf(static_cast<TreeNode*>(node)), fields, matcher);
    };

    TreeNode* position = searchPosition();
    // Walks every node, collapsed or not, in depth-first display order.
    QTreeWidgetItemIterator it =
        position ? QTreeWidgetItemIterator(position) : QTreeWidgetItemIterator(&tree);
    if (position) forward ? ++it : --it;
    while (*it && !matches(*it)) forward ? ++it : --it;

    auto* found = static_cast<TreeNode*>(*it);
    searchPosition_ = found ? QPersistentModelIndex(tree.indexFromItem(found)) : QPersistentModelIndex();
    if (!found) {
        host_.dialogs().information("\"" + searchdlg_->findText() + "\" not found!");
        return;
    }
    for (QTreeWidgetItem* parent = found->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    tree.scrollToItem(found);
    tree.setCurrentItem(found);  // through the selection handling, which may refuse the move
}

void FindCommands::Findreplace1Click() {
    searchdlg_->prepare(Tsearchdlg::Purpose::Replace);
    if (host_.dialogs().showModal(*searchdlg_) != QDialog::Accepted) return;
    EditingController& editing = host_.editing();
    // What the user typed takes part in the replacement, it is not lost.
    if (!editing.applyPendingEdits()) return;

    const TreePlace place = TreePlace::Of(host_.tree());
    std::vector<Toiddata*> shown;  // as Find, only what the filter box shows
    host_.tree().forEachNode([&shown](TreeNode* node) {
        if (IsEntryNode(node) && !node->isHidden()) shown.push_back(EntryOf(node));
    });
    const SearchFields fields = searchdlg_->fields();
    ReplaceAllInEntries(shown, fields, TextMatcher(typedText(searchdlg_->findText()), fields.caseSensitive),
                        typedText(searchdlg_->replaceText()));
    host_.document().libraryChanged("Replace");

    // The editor shows its entry again with the new texts, so that a later Apply cannot write the
    // old ones back; an entry that lost its node to another of the same key leaves it inactive.
    editing.rebuildAndShow(place, editing.mode() == EditorMode::Entry ? editing.currentEntry() : nullptr);
}
