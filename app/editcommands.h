#pragma once
// Adding and deleting OIDs, and the rules that enable and show the window's commands and panels.

#include <QObject>
#include <vector>

#include "app/commandhost.h"
#include "editing/commandenabling.h"

class SelectionCommands;

// "Add OID..." and "Delete OID" of the Edit menu, and ActionList1Update, which applies the
// enabling table whenever the event loop goes idle and at once after each change of what it
// depends on (tree emptied or filled, partial selection begun or ended, an edit in the editor).
class EditCommands : public QObject, public CommandFamily {
    Q_OBJECT
  public:
    EditCommands(CommandHost& host, const SelectionCommands& selection);

    void Add1Click();
    void Delete1Click();
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
    const SelectionCommands& selection_;
    std::vector<Element> elements_;
};
