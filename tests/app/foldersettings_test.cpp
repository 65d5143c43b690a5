#include "app/foldersettings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>

#include "normaluser.h"

namespace {

// Open and Save As offer the library folder, but an installed program's own folder, which the
// user cannot write, gives way to the user's home.
TEST(FolderSettings, TheProgramsFolderIsOfferedOnlyWhereTheUserMayWriteThere) {
    QTemporaryDir root;
    const QString installed = root.filePath("installed/"), open = root.filePath("open/"),
                  other = root.filePath("other/");
    for (const auto& [folder, mode] : {std::pair{installed, 0755}, {open, 0777}, {other, 0755}}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_EQ(::chmod(folder.toLocal8Bit().constData(), mode), 0);
    }
    ASSERT_EQ(::chmod(root.path().toLocal8Bit().constData(), 0755), 0);
    const QString home = QDir::homePath() + "/";
    const struct {
        QString folder, program, offered;
        const char* why;
    } cases[] = {
        {installed, installed, home, "the program's folder, not writable"},
        {root.filePath("installed"), installed, home, "the same folder written without its separator"},
        {open, open, open, "the program's folder, writable"},
        {other, installed, other, "another folder is offered as it is"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(testuser::AsNormalUser([&] {
            return FolderSettings::OfferedFolder(c.folder, c.program) == c.offered;
        })) << c.why;
}

}  // namespace
