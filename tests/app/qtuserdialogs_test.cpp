#include "app/dialogs/qtuserdialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

TEST(QtUserDialogsTest, FiltersBecomeQtFiltersAndAnyFileMatchesEveryFile) {
    struct Case {
        QString filter, expected;
    };
    for (const Case& c :
         std::vector<Case>{{"Veltrane SNMP Library|*.oidlib", "Veltrane SNMP Library (*.oidlib)"},
                           {"MIB Files (*.mib,*.my,*.txt)|*.mib;*.my;*.txt|mib File (*.mib)|*.mib|my File "
                            "(*.my)|*.my|Any File|*.*",
                            "MIB Files (*.mib,*.my,*.txt) (*.mib *.my *.txt);;mib File (*.mib) (*.mib);;my "
                            "File (*.my) (*.my);;"
                            "Any File (*)"}})
        EXPECT_EQ(QtUserDialogs::qtFilter(c.filter), c.expected);
}

// The re-import question as the user meets it: Enter keeps, Escape cancels, a click picks.
TEST(QtUserDialogsTest, ChoiceAnswersByButtonEnterAndEscape) {
    const QStringList buttons = {"Keep my entries", "Replace them", "Cancel"};
    struct Case {
        const char* how;
        int expected;
    };
    for (const Case& c : std::vector<Case>{{"enter", 0}, {"escape", 2}, {"Replace them", 1}}) {
        QtUserDialogs dialogs;
        QString defaultCaption;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            defaultCaption = box->defaultButton()->text();
            const std::string how = c.how;
            if (how == "enter")
                QTest::keyClick(box, Qt::Key_Return);
            else if (how == "escape")
                QTest::keyClick(box, Qt::Key_Escape);
            else
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == c.how) button->click();
        });
        EXPECT_EQ(dialogs.choose("Keep or replace?", buttons, 0), c.expected) << c.how;
        EXPECT_EQ(defaultCaption, "Keep my entries");
    }
}

}  // namespace
