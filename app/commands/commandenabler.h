#pragma once
// The enabling table applied to the window's commands and panels.

#include <QObject>
#include <vector>

#include "editing/commandenabling.h"

class CommandHost;
class QAction;
class QWidget;

// ActionList1Update: applies the enabling table whenever the event loop goes idle and at once
// after each change of what it depends on (tree emptied or filled, partial selection begun or
// ended, an edit in the editor, the undo history, an import or check begun or ended). The window makes it
// after every command family has bound its rows, since binding enables a row and the table then decides.
class CommandEnabler : public QObject {
    Q_OBJECT
  public:
    explicit CommandEnabler(CommandHost& host);
    ~CommandEnabler() override;

    // Sets every element of the table that is not yet as its rule says; leaves the others alone.
    void ActionList1Update();

  private:
    // An element of the table, found once by its object name.
    struct Element {
        QAction* action = nullptr;
        QWidget* widget = nullptr;
        EnablingRow row;
    };

    CommandHost& host_;
    std::vector<Element> elements_;
};
