#include "widgets/htmllabel.h"

#include <QRegularExpression>

HtmlLabel::HtmlLabel(const QString& html, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::RichText);
    setHtml(html);
}

void HtmlLabel::setHtml(const QString& html) {
    html_ = html;
    setText(ShownHtml(html));
}

QString HtmlLabel::ShownHtml(const QString& html) {
    static const QRegularExpression fontSize(R"re((<font\b[^>]*?)\bsize\s*=\s*"?(\d+)"?)re",
                                             QRegularExpression::CaseInsensitiveOption);
    QString shown;
    qsizetype done = 0;
    for (auto match = fontSize.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        const int size = found.captured(2).toInt();
        shown += html.mid(done, found.capturedStart() - done);
        shown += size > 7 ? found.captured(1) + "style=\"font-size:" + found.captured(2) + "pt\""
                          : found.captured(0);
        done = found.capturedEnd();
    }
    return shown + html.mid(done);
}
