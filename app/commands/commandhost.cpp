#include "app/commands/commandhost.h"

#include <QAction>
#include <QMainWindow>
#include <stdexcept>

#include "app/commandrunner.h"
#include "app/editor/editingcontroller.h"

OidTreeView& CommandHost::tree() {
    return editing_.tree();
}

QAction* CommandHost::action(const char* name) const {
    return window_.findChild<QAction*>(name);
}

QAction* CommandHost::bind(const char* name, std::function<void()> command) {
    QAction* item = action(name);
    if (!item) throw std::logic_error(std::string("no menu row or action ") + name);
    item->setEnabled(true);
    QObject::connect(item, &QAction::triggered, &window_, runner_.guarded(std::move(command)));
    return item;
}
