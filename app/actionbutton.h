#pragma once
// A push button that stands for an action: it triggers the action and follows its enabled state.

class QAction;
class QPushButton;

QPushButton* MakeActionButton(const char* name, QAction* action);
