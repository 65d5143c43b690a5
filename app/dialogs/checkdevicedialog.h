#pragma once
// The dialog of "Check Against Device...": a walk capture, or a live agent and how to speak to it.

#include <QDialog>

#include "app/dialogs/userdialogs.h"
#include "check/agentsettings.h"

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;

// Made once and kept for the whole run, so what was typed carries over to the next check; the
// community and keys live only here, never in the settings.
class CheckDeviceDialog : public QDialog {
    Q_OBJECT
  public:
    static inline const QString CaptureFilter = "Walk captures (*.walk,*.txt)|*.walk;*.txt|Any File|*.*";

    CheckDeviceDialog(QWidget* parent, UserDialogs& dialogs);

    // The agent remembered from the last run: fills the host and version.
    void presetAgent(const QString& host, SnmpVersion version);
    bool useCapture() const;
    QString captureFile() const;
    // The agent as the fields describe it (level, protocols and keys only as far as they apply).
    AgentSettings agentSettings() const;
    // The fields' problem ("No agent host given."), or empty when the check can run.
    QString problem() const;

    // "1", "2c", "3" and back; false for any other text.
    static QString VersionName(SnmpVersion version);
    static bool ParseVersion(const QString& name, SnmpVersion& version);

  public slots:
    // Check: runs only when the fields can be used, else shows why and stays open.
    void accept() override;

  private:
    void browseCapture();
    // Enables the fields that the source, version and security level use.
    void updateFields();

    UserDialogs& dialogs_;
    FileDialogSpec captureOpen_;
    QRadioButton *captureButton_, *agentButton_;
    QLineEdit *captureEdit_, *hostEdit_, *communityEdit_, *userEdit_, *authKeyEdit_, *privKeyEdit_;
    QComboBox *versionCombo_, *levelCombo_, *authProtocolCombo_, *privProtocolCombo_;
    QDoubleSpinBox* timeoutSpin_;
    QSpinBox* retriesSpin_;
    QWidget *captureRow_, *agentBox_, *v3Box_;
};
