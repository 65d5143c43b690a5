#pragma once
// The button row of the window's small input dialogs.

#include <QString>

class QBoxLayout;
class QDialog;
class QPushButton;

// Adds the row: OkButton (default, captioned okText) accepts the dialog, CancelButton rejects it.
// Returns OkButton, whose caption some dialogs change with their purpose.
QPushButton* AddOkCancelButtons(QDialog& dialog, QBoxLayout& layout, const QString& okText);
