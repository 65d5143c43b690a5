#pragma once
// The about box: the logos, the program's name and version, and the maker's notice.

#include <QDialog>

// TAboutdlg: a fixed white box centred on the screen; a click on a logo, Enter or Esc closes it.
class TAboutdlg : public QDialog {
    Q_OBJECT
  public:
    // The text label1 starts with; "*version*" stands for the program's title.
    static const QString NoticeHtml;

    explicit TAboutdlg(QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void addLogo(const char* name, const QString& picture, int left);
};

// "<b>*VERSION*</b>", "V1" -> "<b>V1</b>": every placeholder, in any letter case, becomes title.
QString WithVersion(const QString& html, const QString& title);

// Registers the logos and the program icon (":/images/..."); calling it again does nothing.
void LoadProgramImages();
