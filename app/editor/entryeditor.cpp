#include "app/editor/entryeditor.h"

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
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/actionbutton.h"
#include "app/qtstrings.h"
#include "editing/entryrules.h"
#include "library/namekey.h"
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

// The memo shows CR LF, a lone CR and a lone LF each as a line break; it gives lines back joined by CR LF.
QString memoText(QString description) {
    return description.replace("\r\n", "\n").replace('\r', '\n');
}

QString descriptionText(QString memo) {
    return memo.replace('\n', "\r\n");
}

}  // namespace

EntryEditor::EntryEditor(QAction* applyAction, QAction* cancelAction, QWidget* parent)
    : QWidget(parent), applyAction_(applyAction) {
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
    connect(edit, &QLineEdit::returnPressed, this, [this] {
        if (applyAction_->isEnabled()) applyAction_->trigger();
    });
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
    buttons->addWidget(MakeActionButton("Button1", applyAction));
    buttons->addWidget(MakeActionButton("Button2", cancelAction));
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

void EntryEditor::LoadedText::load(const std::string& loadedBytes) {
    bytes = loadedBytes;
    encoding = EncodingOf(bytes);
}

std::string EntryEditor::LoadedText::bytesFor(const QString& current, const QString& text) const {
    return current == shown ? bytes : Encode(text, encoding);
}

void EntryEditor::show(QLineEdit* edit, LoadedText& loaded, const std::string& bytes) {
    loaded.load(bytes);
    edit->setText(Decode(bytes, loaded.encoding));
    loaded.shown = edit->text();
}

std::string EntryEditor::bytesOf(const QLineEdit* edit, const LoadedText& loaded) {
    return loaded.bytesFor(edit->text(), edit->text());
}

void EntryEditor::load(const Toiddata& entry) {
    // Showing an entry is no edit: the controls' change signals must not reach edited().
    const QSignalBlocker quiet(this);
    loadedKey_ = entry.name;
    const NameParts parts = SplitNameKey(entry.name);
    show(agentEdit_, agentText_, parts.agent);
    show(groupEdit_, groupText_, parts.group);
    show(nameEdit_, nameText_, parts.name);
    kindList_->setCurrentIndex(int(entry.kind));
    show(oidEdit_, oidText_, entry.oid);
    typeList_->setCurrentIndex(int(entry.type));
    getNextCheck_->setChecked(entry.usegetnext);
    unsignedCheck_->setChecked(entry.isunsigned);
    is64bitCheck_->setChecked(entry.is64bit);
    floatCheck_->setChecked(entry.isfloat);
    unitList_->setCurrentIndex(int(entry.unittype));
    show(unitsEdit_, unitsText_, entry.units);
    show(indicatorEdit_, indicatorText_, entry.indicator);
    show(scaleEdit_, scaleText_, entry.scale);
    scaleList_->setCurrentIndex(entry.multiply ? 1 : 0);
    descriptionText_.load(entry.description);
    memo_->setPlainText(memoText(Decode(entry.description, descriptionText_.encoding)));
    descriptionText_.shown = memo_->toPlainText();
    setControlsEnabled(true);
}

void EntryEditor::loadBlank(bool enabled) {
    load(Toiddata());  // a new entry's defaults are the editor's blank form
    setControlsEnabled(enabled);
}

void EntryEditor::presetAgentAndGroup(const std::string& agent, const std::string& group) {
    if (!agent.empty()) show(agentEdit_, agentText_, agent);
    if (!group.empty()) show(groupEdit_, groupText_, group);
    loadedKey_ = JoinNameKey(agentText_.bytes, groupText_.bytes, nameText_.bytes);
}

std::optional<EntryEditor::Refusal> EntryEditor::validate() {
    if (!NameGiven(fromQt(nameEdit_->text()))) return Refusal{"Name: an entry needs a name.", nameEdit_};
    const std::optional<std::string> oid = DottedDecimalOid(fromQt(oidEdit_->text()));
    if (!oid)
        return Refusal{
            "OID: \"" + oidEdit_->text() +
                "\" is not an OID. An OID is numbers separated by dots, such as 1.3.6.1.2.1.1.3.0.",
            oidEdit_};
    if (toQt(*oid) != oidEdit_->text()) oidEdit_->setText(toQt(*oid));
    return std::nullopt;
}

std::string EntryEditor::nameKey() const {
    const bool unchanged = agentEdit_->text() == agentText_.shown && groupEdit_->text() == groupText_.shown &&
                           nameEdit_->text() == nameText_.shown;
    if (unchanged) return loadedKey_;
    return JoinNameKey(bytesOf(agentEdit_, agentText_), bytesOf(groupEdit_, groupText_),
                       bytesOf(nameEdit_, nameText_));
}

void EntryEditor::store(Toiddata& entry) const {
    entry.kind = TMIBDataKind(kindList_->currentIndex());
    entry.oid = bytesOf(oidEdit_, oidText_);
    entry.type = TValueMode(typeList_->currentIndex());
    entry.usegetnext = getNextCheck_->isChecked();
    entry.isunsigned = unsignedCheck_->isChecked();
    entry.isfloat = floatCheck_->isChecked();
    entry.is64bit = is64bitCheck_->isChecked();
    entry.unittype = TUnitType(unitList_->currentIndex());
    entry.units = bytesOf(unitsEdit_, unitsText_);
    entry.indicator = bytesOf(indicatorEdit_, indicatorText_);
    entry.scale = bytesOf(scaleEdit_, scaleText_);
    entry.multiply = scaleList_->currentIndex() == 1;
    const QString memo = memo_->toPlainText();
    entry.description = descriptionText_.bytesFor(memo, descriptionText(memo));
}
