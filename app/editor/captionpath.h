#pragma once
// A tree node known by its captions, so that it is found again in a rebuilt tree.

#include <QString>
#include <QTreeWidgetItem>

// "agent", "agent\0group", "agent\0group\0name": no caption holds the separator.
inline QString CaptionPath(const QTreeWidgetItem* node) {
    QString path = node->text(0);
    for (const QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent())
        path = parent->text(0) + QChar(0) + path;
    return path;
}
