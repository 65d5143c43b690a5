#pragma once
// The dialog of "MIB Folders...": the folders searched for imported modules after stdmib/.

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

// An editable list of folders in search order, with the defaults a button restores.
class MibFoldersDialog : public QDialog {
    Q_OBJECT
  public:
    explicit MibFoldersDialog(QWidget* parent);

    // Shows folders; defaults are what "Defaults" puts back.
    void setFolders(const QStringList& folders, const QStringList& defaults);
    // The folders as listed, trimmed, without empty rows.
    QStringList folders() const;

  private:
    void fill(const QStringList& folders);
    void addFolder();
    void removeFolder();
    void moveFolder(int step);  // -1 up, +1 down
    void updateButtons();

    QListWidget* list_;
    QPushButton *removeButton_, *upButton_, *downButton_;
    QStringList defaults_;
};
