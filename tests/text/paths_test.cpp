#include "text/paths.h"

#include <gtest/gtest.h>

namespace {

TEST(Paths, FolderOfFileAndJoinPathKeepOneSeparator) {
    const struct {
        const char* file;
        const char* folder;
    } folders[] = {{"mibs/IF-MIB.mib", "mibs/"},
                   {"IF-MIB.mib", "./"},
                   {"/IF-MIB.mib", "/"},
                   {"C:\\mibs\\IF-MIB.mib", "C:\\mibs\\"}};
    for (const auto& c : folders) EXPECT_EQ(FolderOfFile(c.file), c.folder) << c.file;

    const struct {
        const char* folder;
        const char* name;
        const char* joined;
    } joins[] = {{"mibs", "a.mib", "mibs/a.mib"},
                 {"mibs/", "a.mib", "mibs/a.mib"},
                 {"mibs\\", "a.mib", "mibs\\a.mib"},
                 {"", "a.mib", "a.mib"},
                 {"stdmib", "", "stdmib/"}};
    for (const auto& c : joins)
        EXPECT_EQ(JoinPath(c.folder, c.name), c.joined) << c.folder << " + " << c.name;
}

}  // namespace
