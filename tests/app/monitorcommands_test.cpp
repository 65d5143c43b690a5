#include "app/commands/monitorcommands.h"

#include <QDir>
#include <QFile>

#include "formfixture.h"

namespace {

using MonitorCommandsTest = FormFixture;

// Without the monitor's "exepath" the user names its folder in the window; the choice is stored
// where the monitor's installation would have put it, and "Save for Zelto Network Monitor" shows.
TEST_F(MonitorCommandsTest, ChoosingTheFolderMakesTheMonitorSaveReachable) {
    start();
    EXPECT_FALSE(action("SaveToZelto1")->isVisible());
    QAction* choose = action("MonitorFolder1");
    EXPECT_EQ(choose->text(), "Zelto Network &Monitor Folder...");
    EXPECT_TRUE(choose->isVisible());

    dialogs.answerFile("");  // cancelled: nothing changes
    trigger("MonitorFolder1");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "folder");
    EXPECT_EQ(dialogs.asked[0].dialog.initialDir, QDir::homePath()) << "no folder known yet";
    EXPECT_FALSE(action("SaveToZelto1")->isVisible());
    EXPECT_EQ(settings->read(MonitorKey, "exepath"), "");

    const QString monitor = dir.filePath("zelto");
    ASSERT_TRUE(QDir().mkpath(monitor));
    dialogs.answerFile(monitor);
    trigger("MonitorFolder1");
    EXPECT_TRUE(action("SaveToZelto1")->isVisible());
    EXPECT_EQ(form->folders().monitorFolder(), monitor + "/");
    EXPECT_EQ(settings->read(MonitorKey, "exepath"), monitor);
    EXPECT_EQ(status(), "\"Save for Zelto Network Monitor\" writes into " + monitor + "/snmplibs");

    // The next start knows the folder; the monitor save writes into its snmplibs folder.
    form.reset();
    start();
    EXPECT_TRUE(action("SaveToZelto1")->isVisible());
    dialogs.answerFile(dir.filePath("unused"));
    trigger("MonitorFolder1");
    EXPECT_EQ(dialogs.asked.back().dialog.initialDir, monitor + "/") << "the known folder is offered";
    EXPECT_EQ(form->folders().monitorFolder(), dir.filePath("unused") + "/");
    dialogs.answerFile(monitor);
    trigger("MonitorFolder1");
    loadKeys({"a|x|1"});
    dialogs.answerFile(monitor + "/snmplibs/mine");
    trigger("SaveToZelto1");
    EXPECT_EQ(dialogs.asked.back().dialog.initialDir, monitor + "/snmplibs");
    EXPECT_TRUE(QFile::exists(monitor + "/snmplibs/mine.oidlib"));
}

}  // namespace
