#include "app/dialogs/searchdlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/dialogs/dialogbuttons.h"

namespace {

QCheckBox* addOption(QLayout* layout, const char* name, const QString& caption, bool ticked) {
    auto* option = new QCheckBox(caption);
    option->setObjectName(name);
    option->setChecked(ticked);
    layout->addWidget(option);
    return option;
}

}  // namespace

Tsearchdlg::Tsearchdlg(QWidget* parent) : QDialog(parent) {
    setObjectName("searchdlg");
    setWindowTitle("Search");
    auto* layout = new QVBoxLayout(this);
    auto* texts = new QFormLayout;
    findEdit_ = new QLineEdit;
    findEdit_->setObjectName("FindEdit");
    replaceEdit_ = new QLineEdit;
    replaceEdit_->setObjectName("ReplaceEdit");
    replaceLabel_ = new QLabel("Replace:");
    texts->addRow("Find: ", findEdit_);
    texts->addRow(replaceLabel_, replaceEdit_);
    layout->addLayout(texts);

    auto* fieldsBox = new QGroupBox("Search in...");
    auto* fieldsLayout = new QVBoxLayout(fieldsBox);
    nameOption_ = addOption(fieldsLayout, "NameOption", "Agent/Group/Name", true);
    descriptionOption_ = addOption(fieldsLayout, "DescriptionOption", "Description", false);
    indicatorOption_ = addOption(fieldsLayout, "IndicatorOption", "Indicator", false);
    unitOption_ = addOption(fieldsLayout, "UnitOption", "Unit", false);
    oidOption_ = addOption(fieldsLayout, "OidOption", "OID", false);
    layout->addWidget(fieldsBox);
    auto* optionsBox = new QGroupBox("Options");
    caseOption_ = addOption(new QVBoxLayout(optionsBox), "CaseSensitiveOption", "Case Sensitive", false);
    layout->addWidget(optionsBox);

    okButton_ = AddOkCancelButtons(*this, *layout, "Ok");
    layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed-size dialog box
}

void Tsearchdlg::prepare(Purpose purpose) {
    const bool replace = purpose == Purpose::Replace;
    setWindowTitle(replace ? "Replace" : "Search");
    okButton_->setText(replace ? "Replace" : "Find");
    replaceLabel_->setVisible(replace);
    replaceEdit_->setVisible(replace);
    findEdit_->setFocus();
}

void Tsearchdlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* shown = screen()) move(shown->availableGeometry().center() - rect().center());
    findEdit_->setFocus();
}

QString Tsearchdlg::findText() const {
    return findEdit_->text();
}

QString Tsearchdlg::replaceText() const {
    return replaceEdit_->text();
}

SearchFields Tsearchdlg::fields() const {
    return {nameOption_->isChecked(), descriptionOption_->isChecked(), indicatorOption_->isChecked(),
            unitOption_->isChecked(), oidOption_->isChecked(),         caseOption_->isChecked()};
}
