// The folders an import searches after stdmib/: $MIBDIRS, the defaults, --mib-path, and the
// missing module's message naming every folder searched.
#include "import/mibfolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fixtureprograms.h"
#include "import/importmib.h"
#include "library/oidfile.h"
#include "mib/parseexception.h"
#include "tempfolder.h"

namespace fs = std::filesystem;

namespace {

using Folders = std::vector<std::string>;

struct SplitCase {
    const char* list;
    Folders folders;
};

class SplitFolderListTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitFolderListTest, DropsEmptyPartsAndTheLeadingPlus) {
    EXPECT_EQ(SplitFolderList(GetParam().list), GetParam().folders);
}

INSTANTIATE_TEST_SUITE_P(Import, SplitFolderListTest,
                         testing::Values(SplitCase{"", {}}, SplitCase{":", {}}, SplitCase{"+", {}},
                                         SplitCase{"/a", {"/a"}}, SplitCase{"/a:/b", {"/a", "/b"}},
                                         SplitCase{"::/a::/b:", {"/a", "/b"}},
                                         SplitCase{"+/a:/b", {"/a", "/b"}},
                                         // Only a leading "+" is net-snmp's; a folder may hold one.
                                         SplitCase{"/a:+b", {"/a", "+b"}},
                                         SplitCase{"my mibs:../x", {"my mibs", "../x"}}));

const Folders SystemFolders = {"/usr/share/snmp/mibs",      "/usr/share/snmp/mibs/ietf",
                               "/usr/share/snmp/mibs/iana", "/usr/share/mibs/ietf",
                               "/usr/share/mibs/iana",      "/usr/share/mibs/site"};

Folders Then(Folders first, const Folders& rest) {
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

struct DefaultsCase {
    const char* mibdirs;
    const char* home;
    Folders folders;
};

class DefaultMibFoldersTest : public testing::TestWithParam<DefaultsCase> {};

TEST_P(DefaultMibFoldersTest, MibdirsThenHomeThenTheSystemFolders) {
    EXPECT_EQ(DefaultMibFolders(GetParam().mibdirs, GetParam().home), GetParam().folders);
    EXPECT_EQ(JoinFolderList(GetParam().folders),
              JoinFolderList(SplitFolderList(JoinFolderList(GetParam().folders))));
}

INSTANTIATE_TEST_SUITE_P(
    Import, DefaultMibFoldersTest,
    testing::Values(DefaultsCase{nullptr, nullptr, SystemFolders},
                    DefaultsCase{nullptr, "/home/u", Then({"/home/u/.snmp/mibs"}, SystemFolders)},
                    DefaultsCase{nullptr, "/home/u/", Then({"/home/u/.snmp/mibs"}, SystemFolders)},
                    // A home that is not absolute is no home to search.
                    DefaultsCase{nullptr, "relative", SystemFolders},
                    DefaultsCase{"", "/h", Then({"/h/.snmp/mibs"}, SystemFolders)},
                    DefaultsCase{"/opt/m:/srv/m", "/h",
                                 Then({"/opt/m", "/srv/m", "/h/.snmp/mibs"}, SystemFolders)},
                    DefaultsCase{"+/opt/m", nullptr, Then({"/opt/m"}, SystemFolders)}));

struct ListTextCase {
    Folders folders;
    const char* text;
};

class FolderListTextTest : public testing::TestWithParam<ListTextCase> {};

TEST_P(FolderListTextTest, NamesEveryFolder) {
    EXPECT_EQ(FolderListText(GetParam().folders), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Import, FolderListTextTest,
                         testing::Values(ListTextCase{{"/w/"}, "/w/"},
                                         ListTextCase{{"/w/", "/s/"}, "neither /w/ nor /s/"},
                                         ListTextCase{{"/w/", "/s/", "/x"}, "none of /w/, /s/, /x"}));

// A working folder with the file imported, a standard folder, and two more folders.
class SearchedFoldersTest : public testing::Test {
  protected:
    SearchedFoldersTest() {
        for (const char* folder : {"work", "more", "other"}) fs::create_directory(temp_.path / folder);
    }
    std::string Path(const std::string& name) const { return temp_ / name; }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(temp_.path / name, std::ios::binary) << text;
    }

    TempFolder temp_;
};

TEST_F(SearchedFoldersTest, OnlyFoldersThatExistAndAreNotSearchedBefore) {
    const std::string work = Path("work/"), standard = FixturePrograms().standardFolder;
    EXPECT_EQ(SearchedFolders(work, standard, {}), (Folders{work, standard}));
    EXPECT_EQ(SearchedFolders(work, standard,
                              {Path("absent"), Path("more"), Path("work"), Path("more/../more/"),
                               standard + ".", Path("other"), Path("work/../other/x.mib")}),
              (Folders{work, standard, Path("more"), Path("other")}));
}

TEST_F(SearchedFoldersTest, ModulesAreFoundInTheMoreFoldersInOrder) {
    Write("work/FIXTURE-USER-MIB.mib",
          "FIXTURE-USER-MIB DEFINITIONS ::= BEGIN\n"
          "IMPORTS MoreGauge FROM MORE-TC-MIB OtherGauge FROM OTHER-TC-MIB enterprises FROM SNMPv2-SMI;\n"
          "fxUser OBJECT IDENTIFIER ::= { enterprises 99990 }\n"
          "fxMore OBJECT-TYPE SYNTAX MoreGauge MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { "
          "fxUser 1 }\n"
          "fxOther OBJECT-TYPE SYNTAX OtherGauge MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { "
          "fxUser 2 }\n"
          "END\n");
    // Named so that only its header tells the module: found by a scan of the more folder.
    Write("more/tc.txt", "MORE-TC-MIB DEFINITIONS ::= BEGIN\nMoreGauge ::= Gauge32\nEND\n");
    Write("other/OTHER-TC-MIB.mib", "OTHER-TC-MIB DEFINITIONS ::= BEGIN\nOtherGauge ::= Gauge32\nEND\n");
    // A copy in a later folder is not used (it would make fxMore a string, which makes no entry).
    Write("other/tc.txt", "MORE-TC-MIB DEFINITIONS ::= BEGIN\nMoreGauge ::= OCTET STRING\nEND\n");
    ImportOptions options;
    options.mibFolders = {Path("absent"), Path("more"), Path("other")};
    std::vector<std::string> log;
    toidfile library;
    library.OnLog = [&log](toidfile&, const std::string& line) { log.push_back(line); };
    const ProgramFiles program = FixturePrograms();
    ASSERT_TRUE(ImportMib(library, Path("work/FIXTURE-USER-MIB.mib"), Path("work/"), program.standardFolder,
                          program, options));
    EXPECT_EQ(library.Count(), 2);
    EXPECT_NE(std::find(log.begin(), log.end(), "Load: " + Path("more/tc.txt")), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "Load: " + Path("other/OTHER-TC-MIB.mib")), log.end());

    // Without the more folder the module is missing, and the message names every folder searched.
    fs::remove(Path("other/tc.txt"));
    options.mibFolders = {Path("absent"), Path("other")};
    try {
        ImportMib(library, Path("work/FIXTURE-USER-MIB.mib"), Path("work/"), program.standardFolder, program,
                  options);
        FAIL() << "no error raised";
    } catch (const eparseexception& error) {
        EXPECT_EQ(error.Message, "Missing import module: MORE-TC-MIB");
        EXPECT_EQ(error.Details,
                  (Folders{"MORE-TC-MIB, imported by FIXTURE-USER-MIB, is in none of " + Path("work/") +
                           ", " + program.standardFolder + ", " + Path("other")}));
    }
}

}  // namespace
