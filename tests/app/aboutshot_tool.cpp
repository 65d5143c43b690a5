// Renders the about box as "About" shows it into a PNG: aboutshot_tool PNG

#include <QApplication>
#include <cstdio>

#include "app/dialogs/aboutdlg.h"
#include "app/programtitle.h"
#include "tests/app/shottool.h"
#include "widgets/htmllabel.h"

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PNG\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    TAboutdlg box;
    auto* label1 = box.findChild<HtmlLabel*>("label1");
    label1->setHtml(WithVersion(label1->html(), ProgramTitle()));
    box.show();
    QApplication::processEvents();
    return SaveShot(box, argv[1]);
}
