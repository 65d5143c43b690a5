#include "app/searchdlg.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScreen>
#include <QTimer>

#include "app/qtuserdialogs.h"

namespace {

TEST(SearchDialogTest, ShowsCentredWithTheFocusOnTheSearchTextAndKeepsItsContents) {
    Tsearchdlg dialog;
    for (auto purpose : {Tsearchdlg::Purpose::Replace, Tsearchdlg::Purpose::Find}) {
        dialog.prepare(purpose);
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QLineEdit*>("FindEdit"));
            const QPoint offCentre =
                dialog.geometry().center() - dialog.screen()->availableGeometry().center();
            EXPECT_LE(offCentre.manhattanLength(), 4) << offCentre.x() << "," << offCentre.y();
            dialog.findChild<QLineEdit*>("FindEdit")->setText("octets");
            dialog.accept();
        });
        EXPECT_TRUE(QtUserDialogs().runDialog(dialog));
    }
    EXPECT_EQ(dialog.findText(), "octets");
    const SearchFields fields = dialog.fields();
    EXPECT_TRUE(fields.name);
    EXPECT_FALSE(fields.description || fields.indicator || fields.units || fields.oid ||
                 fields.caseSensitive);
}

}  // namespace
