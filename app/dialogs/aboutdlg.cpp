#include "app/dialogs/aboutdlg.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>

#include "widgets/htmllabel.h"

namespace {

constexpr int ClientWidth = 397;
constexpr int ClientHeight = 142;
constexpr int LogoWidth = 201;
constexpr int LogoHeight = 49;

// A logo drawn at the device's pixel ratio, so that it stays sharp on a high-density screen.
QPixmap LogoPixmap(const QString& picture, qreal ratio) {
    QPixmap pixmap(QSize(LogoWidth, LogoHeight) * ratio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    QSvgRenderer(picture).render(&painter);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace

const QString TAboutdlg::NoticeHtml =
    "<b><FONT size=\"10\">*version*</FONT></b><br><br>"
    "<FONT size=\"2\">&copy; 2026 Veltrane Software. All rights reserved.<br>"
    "Veltrane Software, 14 Harbour Lane, 2100 Eastport<br>"
    "<a href=\"https://veltrane.example/oidwright\">veltrane.example</a> &middot; "
    "<a href=\"mailto:support@veltrane.example\">support@veltrane.example</a></FONT>";

void LoadProgramImages() {
    // The pictures live in a static library: nothing else would pull them into the program.
    Q_INIT_RESOURCE(images);
}

TAboutdlg::TAboutdlg(QWidget* parent) : QDialog(parent) {
    LoadProgramImages();
    setObjectName("Aboutdlg");
    setWindowTitle("About Oidwright for Zelto Network Monitor");
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    addLogo("leftLogo", ":/images/logo-left.svg", 0);
    addLogo("rightLogo", ":/images/logo-right.svg", 200);

    auto* label1 = new HtmlLabel(NoticeHtml, this);
    label1->setObjectName("label1");
    label1->setWordWrap(true);
    label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1->setOpenExternalLinks(true);
    label1->setGeometry(16, 63, 273, 100);

    auto* close = new QPushButton("Close", this);
    close->setObjectName("closeButton");
    close->setDefault(true);  // Enter; Esc rejects the dialog by itself
    close->setGeometry(306, 106, 75, 25);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    if (const QScreen* screen = (parent ? parent->screen() : this->screen()))
        move(screen->availableGeometry().center() - rect().center());
}

void TAboutdlg::addLogo(const char* name, const QString& picture, int left) {
    auto* logo = new QLabel(this);
    logo->setObjectName(name);
    logo->setPixmap(LogoPixmap(picture, devicePixelRatioF()));
    logo->setGeometry(left, 0, LogoWidth, LogoHeight);
    logo->setCursor(Qt::PointingHandCursor);
    logo->installEventFilter(this);
}

bool TAboutdlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && qobject_cast<QLabel*>(watched)) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QString WithVersion(const QString& html, const QString& title) {
    QString text = html;
    return text.replace("*version*", title, Qt::CaseInsensitive);
}
