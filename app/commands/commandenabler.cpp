#include "app/commands/commandenabler.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QMainWindow>
#include <stdexcept>

#include "app/commandrunner.h"
#include "app/commands/commandhost.h"
#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/editor/entryeditor.h"
#include "app/editor/partialselection.h"
#include "widgets/oidtreeview.h"

CommandEnabler::CommandEnabler(CommandHost& host) : host_(host) {
    for (const EnablingRow& row : EnablingTable()) {
        const QString name = QString::fromUtf8(row.element.data(), qsizetype(row.element.size()));
        Element element{host.window().findChild<QAction*>(name), host.window().findChild<QWidget*>(name),
                        row};
        if (!element.action && !element.widget) throw std::logic_error("no element " + name.toStdString());
        elements_.push_back(element);
    }

    const auto update = [this] { ActionList1Update(); };
    QAbstractItemModel* nodes = host.tree().model();
    connect(nodes, &QAbstractItemModel::rowsInserted, this, update);
    connect(nodes, &QAbstractItemModel::rowsRemoved, this, update);
    connect(nodes, &QAbstractItemModel::modelReset, this, update);
    connect(&host.selection(), &PartialSelection::partialChanged, this, update);
    // After the editing controller's own handling of the edit, which enables Apply and Cancel;
    // and when the edits are applied or dropped.
    connect(host.window().findChild<EntryEditor*>("Panel1"), &EntryEditor::edited, this, update);
    host.editing().setEditedHandler(update);
    connect(&host.document(), &Document::historyChanged, this, update);
    host.runner().setLongOperationHandler(update);
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, update);
    ActionList1Update();
}

CommandEnabler::~CommandEnabler() {
    host_.runner().setLongOperationHandler({});
    host_.editing().setEditedHandler({});
}

void CommandEnabler::ActionList1Update() {
    const LibraryHistory& history = host_.document().history();
    const EnablingFacts facts{
        host_.tree().topLevelItemCount() > 0, host_.selection().partial(), host_.editing().edited(),
        host_.runner().longOperation(),       history.CanUndo(),           history.CanRedo()};
    // A click on a box while an import or check runs would tick the node but not its children.
    host_.tree().setCheckBoxesEnabled(!facts.running);
    for (const Element& element : elements_) {
        const bool holds = RuleHolds(element.row.rule, facts);
        if (element.action) {
            // A hidden action reads as disabled whatever it was set to; it is set once it shows.
            if (element.action->isVisible() && element.action->isEnabled() != holds)
                element.action->setEnabled(holds);
        } else if (element.row.setsVisibility) {
            if (element.widget->isHidden() == holds) element.widget->setVisible(holds);
        } else if (element.widget->isEnabled() != holds) {
            element.widget->setEnabled(holds);
        }
    }
}
