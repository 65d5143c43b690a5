#include "app/dialogs/searchdlg.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "app/dialogs/qtuserdialogs.h"

namespace {

TEST(SearchDialogTest, ShowsCentredWithTheFocusOnTheSearchTextAndKeepsItsContents) {
    Tsearchdlg dialog;
    EXPECT_EQ(dialog.objectName(), "searchdlg");
    for (auto [purpose, caption, button] : {std::tuple{Tsearchdlg::Purpose::Replace, "Replace", "Replace"},
                                            std::tuple{Tsearchdlg::Purpose::Find, "Search", "Find"}}) {
        dialog.prepare(purpose);
        EXPECT_EQ(dialog.windowTitle(), caption);
        EXPECT_EQ(dialog.findChild<QPushButton*>("OkButton")->text(), button);
        EXPECT_EQ(dialog.findChild<QLineEdit*>("ReplaceEdit")->isHidden(),
                  purpose == Tsearchdlg::Purpose::Find);
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QLineEdit*>("FindEdit"));
            const QPoint offCentre =
                dialog.geometry().center() - dialog.screen()->availableGeometry().center();
            EXPECT_LE(offCentre.manhattanLength(), 4) << offCentre.x() << "," << offCentre.y();
            dialog.findChild<QLineEdit*>("FindEdit")->setText("octets");
            dialog.accept();
        });
        EXPECT_EQ(QtUserDialogs().showModal(dialog), QDialog::Accepted);
    }
    EXPECT_EQ(dialog.findText(), "octets");
    const SearchFields fields = dialog.fields();
    EXPECT_TRUE(fields.name);
    EXPECT_FALSE(fields.description || fields.indicator || fields.units || fields.oid ||
                 fields.caseSensitive);
}

}  // namespace
