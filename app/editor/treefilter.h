#pragma once
// The filter box above the tree: only the entries whose name or OID holds the typed text show,
// with their agents and groups.

#include <QObject>
#include <QSet>
#include <QString>

class OidTreeView;
class QLineEdit;

// Filters the tree by hiding nodes, so that the nodes, their ticks and the selection stay as they
// are. While a filter is on, every shown node is open; an empty box brings back the expansion of
// before the filter, also across rebuilds of the tree (the nodes are known by their captions).
class TreeFilter : public QObject {
    Q_OBJECT
  public:
    TreeFilter(OidTreeView& tree, QLineEdit& box);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;  // Escape empties the box

  private:
    void filter();
    void rememberExpansion();
    void restoreExpansion();

    OidTreeView& tree_;
    QLineEdit& box_;
    bool filtering_ = false;
    QSet<QString> expanded_;  // caption paths of the nodes open before the filter came on
};
