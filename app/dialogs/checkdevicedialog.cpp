#include "app/dialogs/checkdevicedialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/dialogs/dialogbuttons.h"
#include "app/qtstrings.h"

namespace {

QLineEdit* lineEdit(const char* name, bool secret = false) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (secret) edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QComboBox* comboBox(const char* name, const QStringList& items, const QString& selected) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentText(selected);
    return combo;
}

// A protocol choice and its pass phrase on one row.
QWidget* keyRow(QComboBox* protocol, QLineEdit* key) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(protocol);
    layout->addWidget(key, 1);
    return row;
}

}  // namespace

CheckDeviceDialog::CheckDeviceDialog(QWidget* parent, UserDialogs& dialogs)
    : QDialog(parent), dialogs_(dialogs), captureOpen_{"CaptureOpenDialog", CaptureFilter, ".walk", {}} {
    setObjectName("CheckDeviceDialog");
    setWindowTitle("Check Against Device");
    auto* layout = new QVBoxLayout(this);

    captureButton_ = new QRadioButton("Capture file (snmpwalk or snmpbulkwalk output):");
    captureButton_->setObjectName("CaptureButton");
    layout->addWidget(captureButton_);
    captureRow_ = new QWidget;
    auto* captureLayout = new QHBoxLayout(captureRow_);
    captureLayout->setContentsMargins(20, 0, 0, 0);
    captureEdit_ = lineEdit("CaptureEdit");
    captureLayout->addWidget(captureEdit_, 1);
    auto* browse = new QPushButton("Browse...");
    browse->setObjectName("BrowseButton");
    captureLayout->addWidget(browse);
    layout->addWidget(captureRow_);

    agentButton_ = new QRadioButton("Agent:");
    agentButton_->setObjectName("AgentButton");
    agentButton_->setChecked(true);
    layout->addWidget(agentButton_);
    agentBox_ = new QWidget;
    auto* agent = new QFormLayout(agentBox_);
    agent->setContentsMargins(20, 0, 0, 0);
    hostEdit_ = lineEdit("HostEdit");
    hostEdit_->setPlaceholderText("host or host:port");
    agent->addRow("Host:", hostEdit_);
    versionCombo_ = comboBox("VersionCombo", {"1", "2c", "3"}, "2c");
    agent->addRow("SNMP version:", versionCombo_);
    communityEdit_ = lineEdit("CommunityEdit", true);
    communityEdit_->setText("public");
    agent->addRow("Community:", communityEdit_);

    v3Box_ = new QGroupBox("SNMP v3");
    auto* v3 = new QFormLayout(v3Box_);
    userEdit_ = lineEdit("UserEdit");
    v3->addRow("User:", userEdit_);
    levelCombo_ = comboBox("LevelCombo", {"noAuthNoPriv", "authNoPriv", "authPriv"}, "authPriv");
    v3->addRow("Security level:", levelCombo_);
    authProtocolCombo_ =
        comboBox("AuthProtocolCombo", {"MD5", "SHA", "SHA-224", "SHA-256", "SHA-384", "SHA-512"}, "SHA");
    authKeyEdit_ = lineEdit("AuthKeyEdit", true);
    v3->addRow("Authentication:", keyRow(authProtocolCombo_, authKeyEdit_));
    privProtocolCombo_ = comboBox("PrivProtocolCombo", {"DES", "AES"}, "AES");
    privProtocolCombo_->setMinimumWidth(authProtocolCombo_->sizeHint().width());  // the keys line up
    privKeyEdit_ = lineEdit("PrivKeyEdit", true);
    v3->addRow("Privacy:", keyRow(privProtocolCombo_, privKeyEdit_));
    agent->addRow(v3Box_);

    timeoutSpin_ = new QDoubleSpinBox;
    timeoutSpin_->setObjectName("TimeoutSpin");
    timeoutSpin_->setRange(0.1, 3600);
    timeoutSpin_->setDecimals(1);
    timeoutSpin_->setValue(AgentSettings().timeoutSeconds);
    timeoutSpin_->setSuffix(" s");
    agent->addRow("Timeout:", timeoutSpin_);
    retriesSpin_ = new QSpinBox;
    retriesSpin_->setObjectName("RetriesSpin");
    retriesSpin_->setRange(0, 20);
    retriesSpin_->setValue(AgentSettings().retries);
    agent->addRow("Retries:", retriesSpin_);
    layout->addWidget(agentBox_);

    AddOkCancelButtons(*this, *layout, "Check");
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(browse, &QPushButton::clicked, this, [this] { browseCapture(); });
    for (QRadioButton* source : {captureButton_, agentButton_})
        connect(source, &QRadioButton::toggled, this, [this] { updateFields(); });
    for (QComboBox* combo : {versionCombo_, levelCombo_})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { updateFields(); });
    updateFields();
}

QString CheckDeviceDialog::VersionName(SnmpVersion version) {
    switch (version) {
        case SnmpVersion::v1:
            return "1";
        case SnmpVersion::v2c:
            return "2c";
        case SnmpVersion::v3:
            break;
    }
    return "3";
}

bool CheckDeviceDialog::ParseVersion(const QString& name, SnmpVersion& version) {
    for (SnmpVersion candidate : {SnmpVersion::v1, SnmpVersion::v2c, SnmpVersion::v3}) {
        if (name == VersionName(candidate)) {
            version = candidate;
            return true;
        }
    }
    return false;
}

void CheckDeviceDialog::presetAgent(const QString& host, SnmpVersion version) {
    hostEdit_->setText(host);
    versionCombo_->setCurrentText(VersionName(version));
}

bool CheckDeviceDialog::useCapture() const {
    return captureButton_->isChecked();
}

QString CheckDeviceDialog::captureFile() const {
    return captureEdit_->text();
}

AgentSettings CheckDeviceDialog::agentSettings() const {
    AgentSettings settings;
    settings.host = fromQt(hostEdit_->text().trimmed());
    ParseVersion(versionCombo_->currentText(), settings.version);
    settings.timeoutSeconds = timeoutSpin_->value();
    settings.retries = retriesSpin_->value();
    if (settings.version != SnmpVersion::v3) {
        settings.community = fromQt(communityEdit_->text());
        return settings;
    }
    settings.user = fromQt(userEdit_->text().trimmed());
    ParseSecurityLevel(fromQt(levelCombo_->currentText()), settings.level);
    if (settings.level == SecurityLevel::noAuthNoPriv) return settings;
    ParseAuthProtocol(fromQt(authProtocolCombo_->currentText()), settings.authProtocol);
    settings.authKey = fromQt(authKeyEdit_->text());
    if (settings.level == SecurityLevel::authNoPriv) return settings;
    ParsePrivProtocol(fromQt(privProtocolCombo_->currentText()), settings.privProtocol);
    settings.privKey = fromQt(privKeyEdit_->text());
    return settings;
}

QString CheckDeviceDialog::problem() const {
    if (useCapture())
        return captureFile().isEmpty() ? "Choose the capture file to check against." : QString();
    return toQt(SettingsProblem(agentSettings()));
}

void CheckDeviceDialog::accept() {
    const QString why = problem();
    if (!why.isEmpty()) {
        dialogs_.error(why);
        return;
    }
    QDialog::accept();
}

void CheckDeviceDialog::browseCapture() {
    captureOpen_.fileName = captureFile();
    const QString chosen = dialogs_.openFileName(captureOpen_);
    if (chosen.isEmpty()) return;
    captureEdit_->setText(chosen);
    captureButton_->setChecked(true);
}

void CheckDeviceDialog::updateFields() {
    captureRow_->setEnabled(useCapture());
    agentBox_->setEnabled(!useCapture());
    const bool v3 = versionCombo_->currentText() == VersionName(SnmpVersion::v3);
    communityEdit_->setEnabled(!v3);
    v3Box_->setEnabled(v3);
    SecurityLevel level = SecurityLevel::noAuthNoPriv;
    ParseSecurityLevel(fromQt(levelCombo_->currentText()), level);
    authProtocolCombo_->setEnabled(level != SecurityLevel::noAuthNoPriv);
    authKeyEdit_->setEnabled(level != SecurityLevel::noAuthNoPriv);
    privProtocolCombo_->setEnabled(level == SecurityLevel::authPriv);
    privKeyEdit_->setEnabled(level == SecurityLevel::authPriv);
}
