#pragma once
// The entry editor pane (Panel1): the four group boxes that show and edit one entry.

#include <QWidget>
#include <optional>
#include <string>

#include "app/qtstrings.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class Toiddata;

// Maps an entry's fields to the editor controls and back; knows nothing of the tree.
class EntryEditor : public QWidget {
    Q_OBJECT
  public:
    // Button1 and Button2 are bound to the apply and cancel actions; Enter in a single-line edit
    // triggers the apply action while it is enabled.
    EntryEditor(QAction* applyAction, QAction* cancelAction, QWidget* parent = nullptr);

    // Loads every control from entry and enables them; loading emits no edited().
    void load(const Toiddata& entry);
    // Loads the blank defaults; the controls are enabled for a new entry, disabled when inactive.
    void loadBlank(bool enabled);

    // Writes a new entry's agent and group (the bytes of an existing node's parts; an empty part is
    // left out) into their edits; they count as edits.
    void presetAgentAndGroup(const std::string& agent, const std::string& group);

    // What Apply refuses: the message, which names the field, and the field itself.
    struct Refusal {
        QString message;
        QWidget* field = nullptr;
    };
    // Checks what Apply would write: a name, and an OID of dotted decimal numbers (a leading dot
    // and blanks around it are dropped from the OID edit). nullopt when Apply may go ahead.
    std::optional<Refusal> validate();

    // The three name edits joined by "|" (the loaded key itself while none of them changed).
    std::string nameKey() const;
    // Writes every control but the name edits into entry; a text the user did not change is
    // written back byte for byte, a changed one encoded as its loaded text was decoded.
    void store(Toiddata& entry) const;

  signals:
    // An edit, list or the memo changed, or a visible check box was clicked.
    void edited();

  private:
    // A text control's loaded bytes, how they were decoded and what the control then showed.
    struct LoadedText {
        std::string bytes;
        TextEncoding encoding = TextEncoding::Utf8;
        QString shown;

        void load(const std::string& loadedBytes);
        // The loaded bytes while the control still shows current == shown, else text encoded.
        std::string bytesFor(const QString& current, const QString& text) const;
    };
    static void show(QLineEdit* edit, LoadedText& loaded, const std::string& bytes);
    static std::string bytesOf(const QLineEdit* edit, const LoadedText& loaded);

    QWidget* buildIdentification();
    QWidget* buildSource();
    QWidget* buildValue();
    QWidget* buildDescription(QAction* applyAction, QAction* cancelAction);
    void setControlsEnabled(bool enabled);
    QLineEdit* addEdit(const char* name);
    QAction* applyAction_;
    QComboBox* addList(const char* name, const QStringList& items);
    QCheckBox* addCheck(const char* name, const QString& caption);

    QLineEdit *agentEdit_, *groupEdit_, *nameEdit_, *oidEdit_, *unitsEdit_, *indicatorEdit_, *scaleEdit_;
    QComboBox *kindList_, *typeList_, *unitList_, *scaleList_;
    QCheckBox *unsignedCheck_, *is64bitCheck_, *floatCheck_, *getNextCheck_;
    QPlainTextEdit* memo_;
    std::string loadedKey_;
    LoadedText agentText_, groupText_, nameText_, oidText_, unitsText_, indicatorText_, scaleText_,
        descriptionText_;
};
