#pragma once
// The window's menus and its action list, every row in its place but bound to nothing.

class QMainWindow;
class QObject;

// Creates the action list ActionList1 under window, its actions disabled.
QObject* BuildActionList(QMainWindow& window);

// Creates the main menu MainMenu1 with every menu row. A row tied to an action of the list
// mirrors the action's state and triggers it; any other row stays disabled until the command
// family that owns it binds it (see CommandHost::bind).
void BuildMainMenu(QMainWindow& window, QObject& actionList);
