#include "app/entryeditor.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/namekey.h"
#include "app/qtstrings.h"
#include "library/oiddata.h"

namespace {

constexpr int EditorWidth = 409;

QGroupBox* makeGroupBox(const char* name, const QString& caption) {
    auto* box = new QGroupBox(caption);
    box->setObjectName(name);
    // Only the caption is bold: the controls inside get the regular font back.
    box->setStyleSheet(QString("QGroupBox#%1 { font-weight: bold; }").arg(name));
    return box;
}

QFormLayout* compactForm(QGroupBox* box) {
    auto* form = new QFormLayout(box);
    form->setContentsMargins(6, 2, 6, 4);
    form->setVerticalSpacing(3);
    return form;
}

QPushButton* makeActionButton(const char* name, QAction* action) {
    auto* button = new QPushButton(action->text());
    button->setObjectName(name);
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button,
                     [button, action] { button->setEnabled(action->isEnabled()); });
    return button;
}

// The memo shows CR LF, a lone CR and a lone LF each as a line break; it gives lines back joined by CR LF.
QString memoText(const std::string& description) {
    QString text = toQt(description);
    text.replace("\r\n", "\n").replace('\r', '\n');
    return text;
}

std::string descriptionText(const QString& memo) {
    QString text = memo;
    return fromQt(text.replace('\n', "\r\n"));
}

}  // namespace

EntryEditor::EntryEditor(QAction* applyAction, QAction* cancelAction, QWidget* parent) : QWidget(parent) {
    setObjectName("Panel1");
    setFixedWidth(EditorWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    layout->addWidget(buildIdentification());
    layout->addWidget(buildSource());
    layout->addWidget(buildValue());
    layout->addWidget(buildDescription(applyAction, cancelAction), 1);
}

QLineEdit* EntryEditor::addEdit(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    connect(edit, &QLineEdit::textChanged, this, &EntryEditor::edited);
    return edit;
}

QComboBox* EntryEditor::addList(const char* name, const QStringList& items) {
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->addItems(items);
    connect(list, &QComboBox::currentIndexChanged, this, &EntryEditor::edited);
    return list;
}

QCheckBox* EntryEditor::addCheck(const char* name, const QString& caption) {
    auto* check = new QCheckBox(caption);
    check->setObjectName(name);
    connect(check, &QCheckBox::clicked, this, &EntryEditor::edited);
    return check;
}

QWidget* EntryEditor::buildIdentification() {
    auto* box = makeGroupBox("GroupBox1", "Identification");
    auto* form = compactForm(box);
    form->addRow("Agent:", agentEdit_ = addEdit("Edit1"));
    form->addRow("Group:", groupEdit_ = addEdit("Edit2"));
    form->addRow("Name:", nameEdit_ = addEdit("Edit3"));
    return box;
}

QWidget* EntryEditor::buildSource() {
    auto* box = makeGroupBox("GroupBox2", "Source");
    auto* form = compactForm(box);
    form->addRow("Kind:", kindList_ = addList("ComboBox1", {"Single", "Table"}));
    form->addRow("OID:", oidEdit_ = addEdit("Edit4"));
    form->addRow("Type:", typeList_ = addList("ComboBox2", {"Gauge", "Delta"}));
    auto* flags = new QHBoxLayout;
    flags->addWidget(unsignedCheck_ = addCheck("isunsignedCheckBox", "unsigned"));
    flags->addWidget(is64bitCheck_ = addCheck("is64bitCheckBox", "64bit"));
    flags->addWidget(floatCheck_ = addCheck("isfloatCheckBox", "float"));
    flags->addStretch();
    form->addRow(QString(), flags);
    getNextCheck_ = addCheck("CheckBox1", "Use GETNEXT instead of GET");
    getNextCheck_->setVisible(false);
    getNextCheck_->setParent(box);
    return box;
}

QWidget* EntryEditor::buildValue() {
    auto* box = makeGroupBox("GroupBox3", "Value");
    auto* form = compactForm(box);
    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(unitList_ = addList("ComboBox3", {"Bytes", "Percent", "Custom"}));
    unitRow->addWidget(unitsEdit_ = addEdit("Edit5"), 1);
    form->addRow("Unit:", unitRow);
    form->addRow("Indicator:", indicatorEdit_ = addEdit("Edit6"));
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(scaleEdit_ = addEdit("Edit7"), 1);
    scaleRow->addWidget(scaleList_ = addList("ComboBox4", {"Divide", "Multiply"}));
    form->addRow("Scale:", scaleRow);
    return box;
}

QWidget* EntryEditor::buildDescription(QAction* applyAction, QAction* cancelAction) {
    auto* box = makeGroupBox("GroupBox4", "Description");
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 4);
    memo_ = new QPlainTextEdit;
    memo_->setMinimumHeight(60);
    memo_->setObjectName("Memo1");
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setTabChangesFocus(true);  // Tab leaves the memo, as in every other control
    connect(memo_, &QPlainTextEdit::textChanged, this, &EntryEditor::edited);
    layout->addWidget(memo_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(makeActionButton("Button1", applyAction));
    buttons->addWidget(makeActionButton("Button2", cancelAction));
    layout->addLayout(buttons);
    return box;
}

void EntryEditor::setControlsEnabled(bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{agentEdit_, groupEdit_, nameEdit_, oidEdit_,
                                                            unitsEdit_, indicatorEdit_, scaleEdit_, kindList_,
                                                            typeList_, unitList_, scaleList_, unsignedCheck_,
                                                            is64bitCheck_, floatCheck_, getNextCheck_, memo_})
        control->setEnabled(enabled);
}

void EntryEditor::load(const Toiddata& entry) {
    const NameParts parts = SplitNameKey(entry.name);
    agentEdit_->setText(toQt(parts.agent));
    groupEdit_->setText(toQt(parts.group));
    nameEdit_->setText(toQt(parts.name));
    kindList_->setCurrentIndex(int(entry.kind));
    oidEdit_->setText(toQt(entry.oid));
    typeList_->setCurrentIndex(int(entry.type));
    getNextCheck_->setChecked(entry.usegetnext);
    unsignedCheck_->setChecked(entry.isunsigned);
    is64bitCheck_->setChecked(entry.is64bit);
    floatCheck_->setChecked(entry.isfloat);
    unitList_->setCurrentIndex(int(entry.unittype));
    unitsEdit_->setText(toQt(entry.units));
    indicatorEdit_->setText(toQt(entry.indicator));
    scaleEdit_->setText(toQt(entry.scale));
    scaleList_->setCurrentIndex(entry.multiply ? 1 : 0);
    memo_->setPlainText(memoText(entry.description));
    setControlsEnabled(true);
}

void EntryEditor::loadBlank(bool enabled) {
    load(Toiddata());  // a new entry's defaults are the editor's blank form
    setControlsEnabled(enabled);
}

std::string EntryEditor::nameKey() const {
    return JoinNameKey(fromQt(agentEdit_->text()), fromQt(groupEdit_->text()), fromQt(nameEdit_->text()));
}

void EntryEditor::store(Toiddata& entry) const {
    entry.kind = TMIBDataKind(kindList_->currentIndex());
    entry.oid = fromQt(oidEdit_->text());
    entry.type = TValueMode(typeList_->currentIndex());
    entry.usegetnext = getNextCheck_->isChecked();
    entry.isunsigned = unsignedCheck_->isChecked();
    entry.isfloat = floatCheck_->isChecked();
    entry.is64bit = is64bitCheck_->isChecked();
    entry.unittype = TUnitType(unitList_->currentIndex());
    entry.units = fromQt(unitsEdit_->text());
    entry.indicator = fromQt(indicatorEdit_->text());
    entry.scale = fromQt(scaleEdit_->text());
    entry.multiply = scaleList_->currentIndex() == 1;
    entry.description = descriptionText(memo_->toPlainText());
}
