#include "app/settingsstore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    QString iniFile() const { return dir.filePath("machine.ini"); }
    QByteArray fileBytes() const {
        QFile file(iniFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeIni(const QByteArray& text) {
        QFile file(iniFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir dir;
};

TEST_F(SettingsStoreTest, ReadingMissingKeysGivesEmptyAndCreatesNothing) {
    SettingsStore store(iniFile());
    EXPECT_EQ(store.read(ProgramKey, "mibpath"), "");
    EXPECT_EQ(store.read(MonitorKey, "exepath"), "");
    EXPECT_FALSE(QFile::exists(iniFile()));
}

TEST_F(SettingsStoreTest, KeyPathsMatchWithoutLetterCase) {
    writeIni(
        "[Software/VELTRANE/zelto network monitor/v7/server/CORE]\nexepath=C:\\\\Zelto\n"
        "[software/veltrane/oidwright]\noidpath=/libs/\n");
    SettingsStore store(iniFile());
    EXPECT_EQ(store.read(MonitorKey, "exepath"), "C:\\Zelto");
    EXPECT_EQ(store.read(ProgramKey, "oidpath"), "/libs/");
    EXPECT_EQ(store.read(ProgramKey, "mibpath"), "");
}

TEST_F(SettingsStoreTest, WritesCreateTheProgramKeyAndReadBack) {
    {
        SettingsStore store(iniFile());
        store.write("oidpath", "/home/libs/");
    }
    SettingsStore reopened(iniFile());
    EXPECT_EQ(reopened.read(ProgramKey, "oidpath"), "/home/libs/");
    EXPECT_EQ(reopened.read("\\software\\veltrane\\oidwright", "oidpath"), "/home/libs/");
}

TEST_F(SettingsStoreTest, WriteOfAnEqualValueLeavesTheStoreUntouched) {
    writeIni("[software/veltrane/oidwright]\nmibpath=/mibs/\n; kept as written\n");
    const QByteArray before = fileBytes();
    SettingsStore store(iniFile());
    store.write("mibpath", "/mibs/");
    EXPECT_EQ(fileBytes(), before);
    store.write("mibpath", "/other/");
    EXPECT_EQ(SettingsStore(iniFile()).read(ProgramKey, "mibpath"), "/other/");
    EXPECT_FALSE(fileBytes().contains("SOFTWARE")) << "the existing key is reused, not a second spelling";
}

TEST_F(SettingsStoreTest, ReadsFallBackToTheSystemStoreAndWritesStayWithTheUser) {
    const QString system = dir.filePath("system.ini");
    QFile file(system);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "[software/veltrane/Zelto Network Monitor/V7/Server/Core]\nexepath=/opt/zelto\n"
        "[SOFTWARE/Veltrane/Oidwright]\nmibpath=/srv/mibs/\noidpath=/srv/libs/\n");
    file.close();
    writeIni("[software/veltrane/oidwright]\noidpath=/home/me/libs/\n");
    SettingsStore store(iniFile(), system);
    EXPECT_EQ(store.read(MonitorKey, "exepath"), "/opt/zelto");
    EXPECT_EQ(store.read(ProgramKey, "mibpath"), "/srv/mibs/");
    EXPECT_EQ(store.read(ProgramKey, "oidpath"), "/home/me/libs/") << "the user's own value comes first";
    const QByteArray systemBefore = [&] {
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    file.close();
    store.write("mibpath", "/home/me/mibs/");
    EXPECT_EQ(SettingsStore(iniFile()).read(ProgramKey, "mibpath"), "/home/me/mibs/");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), systemBefore);
}

// The monitor's folder chosen in the window goes under the monitor's key of the user's store, and
// is read before the machine's.
TEST_F(SettingsStoreTest, WritesUnderAnotherKeyStayWithTheUserToo) {
    const QString system = dir.filePath("system.ini");
    QFile file(system);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[software/veltrane/Zelto Network Monitor/V7/Server/Core]\nexepath=/opt/zelto\n");
    file.close();
    SettingsStore store(iniFile(), system);
    store.write(MonitorKey, "exepath", "/home/me/zelto");
    EXPECT_EQ(store.read(MonitorKey, "exepath"), "/home/me/zelto");
    EXPECT_EQ(SettingsStore(iniFile()).read(MonitorKey, "exepath"), "/home/me/zelto");
    EXPECT_EQ(store.read(ProgramKey, "exepath"), "") << "not under the program's key";
}

TEST_F(SettingsStoreTest, AnUnwritableStoreFailsSilently) {
    SettingsStore store(dir.filePath("missing/folder/that/is/a/file.ini/x.ini"));
    QFile blocker(dir.filePath("missing"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
    blocker.close();
    store.write("oidpath", "/libs/");
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/folder/that/is/a/file.ini/x.ini")));
}

}  // namespace
