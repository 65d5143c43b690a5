#include "app/actionbutton.h"

#include <QAction>
#include <QPushButton>

QPushButton* MakeActionButton(const char* name, QAction* action) {
    auto* button = new QPushButton(action->text());
    button->setObjectName(name);
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button,
                     [button, action] { button->setEnabled(action->isEnabled()); });
    return button;
}
