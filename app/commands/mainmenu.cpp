#include "app/commands/mainmenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>

namespace {

// One menu row: object name, caption ("-" for a separator; "&" marks the accelerator), shortcut
// (the platform's standard keys where the command has one), and the action of the list it stands
// for (nullptr for a row that its command family binds).
struct MenuRow {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
    const char* action = nullptr;
};

struct MenuSpec {
    const char* name;
    const char* caption;
    std::initializer_list<MenuRow> rows;
};

void bindToAction(QAction* item, QAction* bound) {
    item->setEnabled(bound->isEnabled());
    QObject::connect(bound, &QAction::changed, item, [item, bound] { item->setEnabled(bound->isEnabled()); });
    QObject::connect(item, &QAction::triggered, bound, &QAction::trigger);
}

}  // namespace

QObject* BuildActionList(QMainWindow& window) {
    auto* list = new QObject(&window);
    list->setObjectName("ActionList1");
    for (auto [name, caption, shortcut] :
         std::initializer_list<std::tuple<const char*, const char*, QKeySequence>>{
             {"ChangesApplyAction", "Apply", {}},
             {"ChangesCancelAction", "Cancel", QKeySequence(Qt::Key_Escape)},
             {"POPrepareAction", "Enable Partial Selection", {}},
             {"POSaveAction", "Save As...", {}},
             {"POCancelAction", "Cancel", {}},
             {"POAllAction", "All", {}},
             {"PONoneAction", "None", {}},
             {"FindAction", "Find...", QKeySequence(Qt::CTRL | Qt::Key_F)},
             {"FindNextAction", "Find Next", QKeySequence(Qt::Key_F3)},
             {"FindPreviousAction", "Find Previous", QKeySequence(Qt::SHIFT | Qt::Key_F3)}}) {
        auto* action = new QAction(caption, list);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        action->setEnabled(false);
    }
    // Escape presses Cancel while it is enabled: its shortcut must belong to the window.
    window.addAction(list->findChild<QAction*>("ChangesCancelAction"));
    return list;
}

void BuildMainMenu(QMainWindow& window, QObject& actionList) {
    QMenuBar* bar = window.menuBar();
    bar->setObjectName("MainMenu1");
    for (const MenuSpec& layout : std::initializer_list<MenuSpec>{
             {"File1",
              "&File",
              {{"NewOIDFile1", "&New...", QKeySequence::New},
               {"Open1", "&Open...", QKeySequence::Open},
               {"Save1", "&Save", QKeySequence::Save},
               {"SaveAs1", "Save &As...", QKeySequence::SaveAs},
               {"N2", "-", {}},
               {"SaveToZelto1", "Save for &Zelto Network Monitor", {}},
               {"MonitorFolder1", "Zelto Network &Monitor Folder...", {}},
               {"WritetoHTML1", "Write to &HTML", {}},
               {"N1", "-", {}},
               {"EnablePartialSelection1", "Enable &Partial Selection", {}, "POPrepareAction"},
               {"N7", "-", {}},
               {"Exit1", "E&xit", QKeySequence::Quit}}},
             {"Search1",
              "&Edit",
              {{"Undo1", "&Undo", QKeySequence::Undo},
               {"Redo1", "&Redo", QKeySequence::Redo},
               {"N8", "-", {}},
               {"Add1", "&Add OID...", {}},
               {"Delete1", "&Delete OID", QKeySequence(Qt::CTRL | Qt::Key_X)},
               {"N4", "-", {}},
               {"Find1", "&Find...", QKeySequence(Qt::CTRL | Qt::Key_F), "FindAction"},
               {"FindNext2", "Find &Next", QKeySequence(Qt::Key_F3), "FindNextAction"},
               {"FindNext1", "Find &Previous", QKeySequence(Qt::SHIFT | Qt::Key_F3), "FindPreviousAction"},
               {"N3", "-", {}},
               {"Findreplace1", "&Replace...", {}}}},
             {"Import1",
              "&Import",
              {{"MIB1", "&MIB File...", {}},
               {"MibFolders1", "MIB &Folders...", {}},
               {"UnitsFromMib1", "&Units from the MIB", {}},
               {"RepairFaults1", "&Repair Common Faults", {}},
               {"CheckAgainstDevice1", "&Check Against Device...", {}},
               {"N5", "-", {}},
               {"ShowLog1", "Show Import &Log...", {}}}},
             {"Help1", "&Help", {{"Help2", "&Help...", {}}, {"N6", "-", {}}, {"About1", "&About", {}}}}}) {
        QMenu* menu = bar->addMenu(layout.caption);
        menu->setObjectName(layout.name);
        for (const MenuRow& row : layout.rows) {
            const bool separator = QString(row.caption) == "-";
            QAction* item = separator ? menu->addSeparator() : menu->addAction(row.caption);
            item->setObjectName(row.name);
            if (separator) continue;
            item->setShortcut(row.shortcut);
            if (row.action)
                bindToAction(item, actionList.findChild<QAction*>(row.action));
            else
                item->setEnabled(false);
        }
    }
    window.findChild<QAction*>("WritetoHTML1")->setVisible(false);  // a hidden command: no menu shows it
}
