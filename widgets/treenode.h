#pragma once
// One node of an OidTreeView: a caption, an untyped reference and a check state.

#include <QTreeWidgetItem>

// Check state of a node, held in its image index.
enum TreeCheckImage : int { NoCheckImage = 0, UncheckedImage = 1, CheckedImage = 2 };

// A tree node that refers to caller-owned data and may show a check box.
class TreeNode : public QTreeWidgetItem {
  public:
    explicit TreeNode(const QString& caption, void* reference = nullptr);

    QString caption() const { return text(0); }
    void* reference() const { return reference_; }
    void setReference(void* reference) { reference_ = reference; }

    int imageIndex() const { return imageIndex_; }
    // The tree draws the box from it; whoever changes it repaints the tree (once for many nodes).
    void setImageIndex(int index) { imageIndex_ = index; }

    // Orders siblings by caption, locale-aware, letter case only breaking ties.
    bool operator<(const QTreeWidgetItem& other) const override;

  private:
    void* reference_;
    int imageIndex_ = NoCheckImage;
};
