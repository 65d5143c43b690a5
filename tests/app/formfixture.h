#pragma once
// A shown main window over a temporary settings store and scripted dialogs.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/foldersettings.h"
#include "app/form1.h"
#include "app/settingsstore.h"
#include "scripteddialogs.h"
#include "shared_data.h"
#include "widgets/oidtreeview.h"

class FormFixture : public ::testing::Test {
  protected:
    // Writes the INI lines of the settings store, then opens the window.
    void start(const QByteArray& settingsIni = {}) {
        if (!settingsIni.isEmpty()) {
            QFile file(dir.filePath("machine.ini"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(settingsIni);
        }
        settings = std::make_unique<SettingsStore>(dir.filePath("machine.ini"));
        form = std::make_unique<TForm1>(dialogs, *settings);
        form->folders().setDefaultModuleFolders({});  // a machine without MIB folders of its own
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    // A library of the given name keys, entry i carrying OID "1.<i>", shown in the tree.
    void loadKeys(const std::vector<std::string>& keys) {
        for (size_t i = 0; i < keys.size(); ++i) {
            auto entry = std::make_unique<Toiddata>();
            entry->name = keys[i];
            entry->oid = "1." + std::to_string(i);
            form->document().library().Add(std::move(entry));
        }
        form->document().libraryReplaced();  // as if opened: nothing to undo, nothing unsaved
        form->editing().RebuildTree({});
    }

    template <typename T = QWidget>
    T* widget(const char* name) {
        T* found = form->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAction* action(const char* name) { return widget<QAction>(name); }
    // Triggers an action as the user would, after checking that it is enabled.
    void trigger(const char* name) {
        QAction* item = action(name);
        ASSERT_TRUE(item->isEnabled()) << name << " is disabled";
        item->trigger();
    }
    void type(const char* edit, const QString& text) { QTest::keyClicks(widget<QLineEdit>(edit), text); }
    QString text(const char* edit) { return widget<QLineEdit>(edit)->text(); }
    QString status() { return form->statusBar()->currentMessage(); }

    // The node at a path of captions ("a/x/1"), or nullptr.
    TreeNode* node(const QString& path) {
        OidTreeView& tree = form->tree();
        for (int i = 0; i < tree.nodeCount(); ++i) {
            QString nodePath = tree.nodeAt(i)->caption();
            for (auto* p = tree.nodeAt(i)->parent(); p; p = p->parent())
                nodePath = p->text(0) + "/" + nodePath;
            if (nodePath == path) return tree.nodeAt(i);
        }
        return nullptr;
    }
    // The selected node's path of captions, or "(none)".
    QString selectedPath() {
        TreeNode* node = form->tree().selectedNode();
        if (!node) return "(none)";
        QString path = node->caption();
        for (auto* p = node->parent(); p; p = p->parent()) path = p->text(0) + "/" + path;
        return path;
    }
    // Clicks a node's caption (its parents opened first), as the user would.
    void click(const QString& path) { clickNode(path, false); }
    // Clicks a node's check box the same way.
    void clickBox(const QString& path) { clickNode(path, true); }
    void clickNode(const QString& path, bool box) {
        TreeNode* target = node(path);
        ASSERT_NE(target, nullptr) << path.toStdString();
        for (auto* p = target->parent(); p; p = p->parent()) p->setExpanded(true);
        OidTreeView& tree = form->tree();
        tree.scrollToItem(target);
        const QRect place = tree.visualItemRect(target);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                          box ? place.topLeft() + QPoint(8, 8) : place.center());
    }
    // A node's tick state (its image), and the status bar's count of ticked entries.
    int state(const QString& path) { return node(path)->imageIndex(); }
    QString counter() { return widget<QLabel>("CounterCountLabel")->text(); }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<TForm1> form;
};
