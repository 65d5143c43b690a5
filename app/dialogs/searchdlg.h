#pragma once
// The find and replace dialog: search text, replacement, the fields to search and letter case.

#include <QDialog>

#include "editing/textsearch.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Tsearchdlg: made once and kept for the whole run, so its texts and ticks carry over from one
// search to the next; Find Next and Find Previous read it without showing it.
class Tsearchdlg : public QDialog {
    Q_OBJECT
  public:
    enum class Purpose { Find, Replace };

    explicit Tsearchdlg(QWidget* parent = nullptr);

    // Caption, OK button and replacement field for the purpose; the focus goes to the search text.
    void prepare(Purpose purpose);

    QString findText() const;
    QString replaceText() const;
    SearchFields fields() const;

  protected:
    void showEvent(QShowEvent* event) override;  // centred on the screen, focus on the search text

  private:
    QLineEdit *findEdit_, *replaceEdit_;
    QLabel* replaceLabel_;
    QCheckBox *nameOption_, *descriptionOption_, *indicatorOption_, *unitOption_, *oidOption_, *caseOption_;
    QPushButton* okButton_;
};
