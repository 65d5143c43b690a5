#pragma once
// A label that shows an HTML fragment written for the old HTML label control.

#include <QLabel>

// Keeps the HTML text as it was given and shows it with Qt's rich text. The old control read
// <font size="N"> above HTML's scale of 1 to 7 as a size in points; Qt would clamp it to its
// largest size, so such fonts are shown in points here.
class HtmlLabel : public QLabel {
    Q_OBJECT
  public:
    explicit HtmlLabel(const QString& html = {}, QWidget* parent = nullptr);

    const QString& html() const { return html_; }
    void setHtml(const QString& html);

    // "<FONT size=\"10\">x</FONT>" -> "<FONT style=\"font-size:10pt\">x</FONT>"; sizes 1 to 7 stay.
    static QString ShownHtml(const QString& html);

  private:
    QString html_;
};
