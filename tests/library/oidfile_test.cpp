#include "library/oidfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "shared_data.h"
#include "tempfolder.h"
#include "text/textfile.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& path) {
    return textfile::ReadFile<std::runtime_error>(path.string());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::unique_ptr<Toiddata> ProcessorLoad() {
    auto entry = std::make_unique<Toiddata>();
    entry->name = "Host|Processor|Load";
    entry->oid = "1.3.6.1.2.1.25.3.3.1.2";
    entry->kind = TMIBDataKind::mkTable;
    entry->unittype = TUnitType::sutPercent;
    entry->units = "%";
    entry->max = 100;
    return entry;
}

std::unique_ptr<Toiddata> Named(const std::string& name) {
    auto entry = std::make_unique<Toiddata>();
    entry->name = name;
    return entry;
}

// A folder of its own for each test, removed afterwards.
class OidFileOnDisk : public testing::Test {
  protected:
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& item : fs::directory_iterator(dir_))
            names.push_back(item.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    TempFolder temp_;
    const fs::path dir_ = temp_.path;
};

TEST(OidFile, GoldenFilesAreWrittenByteForByte) {
    toidfile library;
    EXPECT_EQ(library.SaveToText(), ReadBytes(testdata::fixture("library/empty.oidlib")));
    library.Add(ProcessorLoad());
    EXPECT_EQ(library.SaveToText(), ReadBytes(testdata::fixture("library/one_entry.oidlib")));
}

TEST(OidFile, GoldenFilesReadBack) {
    toidfile library;
    EXPECT_EQ(library.LoadFromFile(testdata::fixture("library/empty.oidlib").string()), "");
    EXPECT_EQ(library.Count(), 0);
    EXPECT_EQ(library.LoadFromFile(testdata::fixture("library/one_entry.oidlib").string()), "");
    ASSERT_EQ(library.Count(), 1);
    const Toiddata& entry = *library.Entries(0);
    EXPECT_EQ(entry.name, "Host|Processor|Load");
    EXPECT_EQ(entry.oid, "1.3.6.1.2.1.25.3.3.1.2");
    EXPECT_EQ(entry.kind, TMIBDataKind::mkTable);
    EXPECT_EQ(entry.unittype, TUnitType::sutPercent);
    EXPECT_EQ(entry.units, "%");
    EXPECT_EQ(entry.max, 100);
    EXPECT_EQ(entry.scale, "1");
    EXPECT_TRUE(entry.isunsigned);
    EXPECT_EQ(library.SaveToText(), ReadBytes(testdata::fixture("library/one_entry.oidlib")));
}

TEST(OidFile, FieldTextsRoundTrip) {
    struct Case {
        std::string written;
        std::string readBack;
    };
    const Case cases[] = {
        {"a\r\nb", "a\r\nb"},
        {"  padded\t", "padded"},
        {"two  blanks", "two blanks"},
        {"   ", ""},
        {"&lt;", "&lt;"},
        {"<tag attr=\"v\"> & more", "<tag attr=\"v\"> & more"},
        {"line1\r\n\r\nline3", "line1\r\n\r\nline3"},
        {"\xC0\xE9 caf\xE9", "\xC0\xE9 caf\xE9"},
    };
    for (const Case& c : cases) {
        toidfile library;
        library.Add(Named(c.written));
        library.Entries(0)->description = c.written;
        toidfile back;
        ASSERT_EQ(back.LoadFromText(library.SaveToText()), "");
        ASSERT_EQ(back.Count(), 1);
        EXPECT_EQ(back.Entries(0)->name, c.readBack) << "written \"" << c.written << "\"";
        EXPECT_EQ(back.Entries(0)->description, c.readBack) << "written \"" << c.written << "\"";
    }
}

TEST(OidFile, RefusesWhatDoesNotStartWithTheDeclaration) {
    const std::string golden = ReadBytes(testdata::fixture("library/one_entry.oidlib"));
    const std::string refused[] = {
        "\xEF\xBB\xBF" + golden, "\r\n" + golden, "<?XML" + golden.substr(5), "<?xm", "",
        "ENCRYPTED\x01\x02"};
    for (const std::string& text : refused) {
        toidfile library;
        library.Add(Named("kept"));
        EXPECT_EQ(library.LoadFromText(text), "Can not open encrypted oid file.") << text.substr(0, 8);
        EXPECT_EQ(library.Count(), 1);
    }
}

TEST(OidFile, OnlyVersionOneIsRead) {
    struct Case {
        const char* system;
        const char* refusedVersion;  // nullptr: read
    };
    const Case cases[] = {
        {"<system><version>1</version></system>", nullptr},
        {"<SYSTEM><Version>  1  </Version></SYSTEM>", nullptr},
        {"<system><version>2</version></system>", "2"},
        {"<system><version>1.0</version></system>", "1.0"},
        {"<system><version/></system>", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        toidfile library;
        const std::string text =
            std::string("<?xml?><anyroot>") + c.system + "<list><entry/></list></anyroot>";
        if (!c.refusedVersion) {
            EXPECT_EQ(library.LoadFromText(text), "") << c.system;
            EXPECT_EQ(library.Count(), 1) << c.system;
            continue;
        }
        try {
            library.LoadFromText(text);
            ADD_FAILURE() << "adopted " << c.system;
        } catch (const OidVersionError& error) {
            EXPECT_EQ(error.Version(), c.refusedVersion);
            EXPECT_EQ(std::string(error.what()), std::string("Cannot read the library: its version is \"") +
                                                     c.refusedVersion + "\", this program reads version 1.");
        }
        EXPECT_EQ(library.Count(), 0) << c.system;
    }
}

TEST(OidFile, EveryChildOfListIsAnEntry) {
    toidfile library;
    library.LoadFromText(
        "<?xml?><oidlist><system><version>1</version></system>"
        "<List><entry><name>a</name></entry><item><NAME>b</NAME></item><x/></List></oidlist>");
    ASSERT_EQ(library.Count(), 3);
    EXPECT_EQ(library.Entries(0)->name, "a");
    EXPECT_EQ(library.Entries(1)->name, "b");
    EXPECT_EQ(library.Entries(2)->name, "");
    EXPECT_EQ(library.Entries(2)->scale, "");
}

// Entries are read one at a time, each in the storage of the one before: nothing of one entry
// shows in the next.
TEST(OidFile, EachEntryKeepsOnlyItsOwnFields) {
    std::string pieces;
    for (int i = 0; i < 40; ++i) pieces += "<b>" + std::to_string(i) + "</b>";
    toidfile library;
    library.LoadFromText(
        "<?xml?><oidlist><list>"
        "<entry><description>d" +
        pieces +
        "</description><name>a</name><max>5</max></entry>"
        "<entry><oid>1.3</oid></entry><entry/></list><system><version>1</version></system></oidlist>");
    ASSERT_EQ(library.Count(), 3);
    EXPECT_EQ(library.Entries(0)->description, "d");
    EXPECT_EQ(library.Entries(0)->name, "a");
    EXPECT_EQ(library.Entries(0)->max, 5);
    Toiddata empty;  // as an <entry/> reads
    empty.scale = "";
    EXPECT_EQ(*library.Entries(2), empty);
    empty.oid = "1.3";
    EXPECT_EQ(*library.Entries(1), empty);
}

// Reading one list of several, or none where there are entries elsewhere, would adopt a part of
// the library as the whole, and the next save would lose the rest.
TEST(OidFile, ExactlyOneListUnderTheRootOrNothingIsAdopted) {
    struct Case {
        const char* body;  // the root's children after <system>, from line 3
        std::string message;
        int line;
    };
    const std::string second =
        "A second <list> (the first is on line 3): a library holds one list of entries";
    const std::string elsewhere =
        "A <list> that is not a child of the root element: the entries belong in the one <list> under the "
        "root";
    const Case cases[] = {
        {"<list/>\n<list><entry><name>A|b|c</name></entry></list>", second, 4},
        {"<list><entry/></list>\n<List><entry/><entry/></List>", second, 4},
        {"<list><entry/></list>\n<LIST/>", second, 4},
        {"<x>\n<list><entry/></list></x>", elsewhere, 4},
        {"<list><entry/>\n<entry><list/></entry></list>", elsewhere, 4},
        {"<list>\n<list><entry/></list></list>", elsewhere, 4},
        {"<other><entry/></other>", "No <list> of entries under the root element", 1},
    };
    for (const Case& c : cases) {
        toidfile library;
        library.Add(Named("kept"));
        try {
            library.LoadFromText(std::string("<?xml?><oidlist>\n<system><version>1</version></system>\n") +
                                 c.body + "</oidlist>\n");
            ADD_FAILURE() << "adopted " << c.body;
        } catch (const OidFileError& error) {
            EXPECT_EQ(error.what(), c.message) << c.body;
            EXPECT_EQ(error.Line(), c.line) << c.body;
        }
        ASSERT_EQ(library.Count(), 1) << c.body;
        EXPECT_EQ(library.Entries(0)->name, "kept");
    }
}

TEST(OidFile, LoadingAppends) {
    const std::string file = testdata::fixture("library/one_entry.oidlib").string();
    toidfile library;
    library.Add(Named("first"));
    library.LoadFromFile(file);
    library.LoadFromFile(file);
    ASSERT_EQ(library.Count(), 3);
    EXPECT_EQ(library.Entries(0)->name, "first");
    EXPECT_EQ(library.Entries(2)->name, "Host|Processor|Load");
}

TEST(OidFile, DeleteIfKeepsTheOrderOfTheRest) {
    for (const auto& [doomed, left] : std::vector<std::pair<std::string, std::string>>{
             {"", "abcde"}, {"a", "bcde"}, {"e", "abcd"}, {"bd", "ace"}, {"abcde", ""}}) {
        toidfile library;
        for (char name : std::string("abcde")) library.Add(Named(std::string(1, name)));
        EXPECT_EQ(
            library.DeleteIf([&](const Toiddata& e) { return doomed.find(e.name) != std::string::npos; }),
            int(doomed.size()));
        std::string names;
        for (int i = 0; i < library.Count(); ++i) names += library.Entries(i)->name;
        EXPECT_EQ(names, left) << doomed;
    }
}

TEST(OidFile, MalformedFileLeavesLibraryUnchanged) {
    struct Case {
        std::string text;
        std::string message;
        int line;
    };
    const std::string head =
        "<?xml version=\"1.0\" ?>\r\n<oidlist><system><version>1</version></system>\r\n<list>";
    const Case cases[] = {
        {head + "<entry><name>a</name></entry>\r\n<entry><name>b</Name></entry></list></oidlist>",
         "XML Parser mismatch: Wanted </name>, got </Name>", 4},
        {head + "<entry/></list></oidlist>\r\n<entry/>", "Junk after document element </oidlist>", 4},
        {head + "<entry/>\n" + std::string(10'000'000, ' ') + "</list>", "Line too long on line 4", 4},
    };
    for (const Case& c : cases) {
        toidfile library;
        library.Add(Named("kept"));
        try {
            library.LoadFromText(c.text);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const OidFileError& error) {
            EXPECT_EQ(error.what(), c.message);
            EXPECT_EQ(error.Line(), c.line) << c.message;
        }
        ASSERT_EQ(library.Count(), 1) << c.message;
        EXPECT_EQ(library.Entries(0)->name, "kept");
    }
}

TEST(OidFile, ListOperations) {
    toidfile library;
    EXPECT_EQ(library.Add(Named("a")), 0);
    EXPECT_EQ(library.Add(Named("b")), 1);
    EXPECT_EQ(library.Add(Named("c")), 2);
    EXPECT_EQ(library.Entries(-1), nullptr);
    EXPECT_EQ(library.Entries(3), nullptr);
    library.Delete(3);
    library.Delete(-1);
    EXPECT_EQ(library.Count(), 3);
    library.Delete(1);
    ASSERT_EQ(library.Count(), 2);
    EXPECT_EQ(library.Entries(1)->name, "c");
    library.Clear();
    EXPECT_EQ(library.Count(), 0);
    EXPECT_EQ(library.Entries(0), nullptr);
}

TEST(OidFile, EventsFireOnlyWhenSet) {
    toidfile library;
    library.Log("nobody listens");
    library.ReportModuleSearch("IF-MIB", "if.mib");
    std::vector<std::string> seen;
    library.OnLog = [&](toidfile& sender, const std::string& line) {
        EXPECT_EQ(&sender, &library);
        seen.push_back("log " + line);
    };
    library.OnModuleSearch = [&](toidfile&, const std::string& module, const std::string& file) {
        seen.push_back("search " + module + " " + file);
    };
    library.Log("x");
    library.ReportModuleSearch("IF-MIB", "if.mib");
    EXPECT_EQ(seen, (std::vector<std::string>{"log x", "search IF-MIB if.mib"}));
}

TEST_F(OidFileOnDisk, SaveThenLoad) {
    const std::string file = (dir_ / "lib.oidlib").string();
    toidfile library;
    library.Add(ProcessorLoad());
    library.SaveToFile(file);
    EXPECT_EQ(ReadBytes(file), ReadBytes(testdata::fixture("library/one_entry.oidlib")));
    library.Clear();
    library.SaveToFile(file);  // replaces the whole content
    EXPECT_EQ(ReadBytes(file), ReadBytes(testdata::fixture("library/empty.oidlib")));
    EXPECT_EQ(Files(), std::vector<std::string>{"lib.oidlib"});
}

TEST_F(OidFileOnDisk, FailedSaveKeepsPreviousFileAndLeavesNoTemporary) {
    const std::string previous = ReadBytes(testdata::fixture("library/one_entry.oidlib"));
    WriteBytes(dir_ / "old.oidlib", previous);
    fs::create_directory(dir_ / "folder.oidlib");
    WriteBytes(dir_ / "folder.oidlib" / "inside", "x");

    toidfile library;
    library.Add(Named("new"));
    struct Case {
        fs::path target;
        std::string message;
    };
    const Case cases[] = {
        {dir_ / "folder.oidlib",
         "Cannot create file \"" + (dir_ / "folder.oidlib").string() + "\". Is a directory"},
        {dir_ / "missing" / "lib.oidlib", "Cannot create file \"" +
                                              (dir_ / "missing" / "lib.oidlib").string() +
                                              "\". No such file or directory"},
    };
    for (const Case& c : cases) {
        try {
            library.SaveToFile(c.target.string());
            ADD_FAILURE() << "no error saving to " << c.target;
        } catch (const OidFileError& error) {
            EXPECT_EQ(error.what(), c.message);
        }
    }
    EXPECT_EQ(ReadBytes(dir_ / "old.oidlib"), previous);
    EXPECT_EQ(Files(), (std::vector<std::string>{"folder.oidlib", "old.oidlib"}));
    EXPECT_EQ(ReadBytes(dir_ / "folder.oidlib" / "inside"), "x");
}

// A save replaces content, never the kind of thing the name stands for.
TEST_F(OidFileOnDisk, SaveKeepsLinksAndPermissions) {
    const std::string saved = ReadBytes(testdata::fixture("library/empty.oidlib"));
    fs::create_directory(dir_ / "real");
    WriteBytes(dir_ / "real" / "lib.oidlib", "old");
    fs::permissions(dir_ / "real" / "lib.oidlib",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real/lib.oidlib", dir_ / "link.oidlib");
    fs::create_symlink("real/new.oidlib", dir_ / "dangling.oidlib");
    toidfile library;
    for (const char* name : {"link.oidlib", "dangling.oidlib"}) {
        library.SaveToFile((dir_ / name).string());
        EXPECT_TRUE(fs::is_symlink(dir_ / name)) << name;
    }
    EXPECT_EQ(ReadBytes(dir_ / "real" / "lib.oidlib"), saved);
    EXPECT_EQ(ReadBytes(dir_ / "real" / "new.oidlib"), saved);
    EXPECT_EQ(fs::status(dir_ / "real" / "lib.oidlib").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Files(), (std::vector<std::string>{"dangling.oidlib", "link.oidlib", "real"}));
    std::vector<std::string> real;
    for (const auto& item : fs::directory_iterator(dir_ / "real")) real.push_back(item.path().filename());
    std::sort(real.begin(), real.end());
    EXPECT_EQ(real, (std::vector<std::string>{"lib.oidlib", "new.oidlib"}));
}

// Opening a pipe to write would wait for a reader that may never come.
TEST_F(OidFileOnDisk, SaveToNamedPipeIsRefusedAtOnce) {
    const fs::path pipe = dir_ / "pipe.oidlib";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    toidfile library;
    library.Add(ProcessorLoad());
    try {
        library.SaveToFile(pipe.string());
        ADD_FAILURE() << "no error";
    } catch (const OidFileError& error) {
        EXPECT_EQ(error.what(), "Cannot create file \"" + pipe.string() + "\". It is not a regular file");
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(Files(), std::vector<std::string>{"pipe.oidlib"});
}

TEST_F(OidFileOnDisk, SaveIntoReadOnlyFolderFails) {
    if (::geteuid() == 0) GTEST_SKIP() << "skipped: permissions do not stop root";
    const std::string previous = ReadBytes(testdata::fixture("library/empty.oidlib"));
    WriteBytes(dir_ / "lib.oidlib", previous);
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    toidfile library;
    library.Add(Named("new"));
    EXPECT_THROW(library.SaveToFile((dir_ / "lib.oidlib").string()), OidFileError);
    fs::permissions(dir_, fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(dir_ / "lib.oidlib"), previous);
}

TEST_F(OidFileOnDisk, UnreadableFileNamesTheFile) {
    const std::string missing = (dir_ / "none.oidlib").string();
    toidfile library;
    library.Add(Named("kept"));
    try {
        library.LoadFromFile(missing);
        FAIL() << "no error";
    } catch (const OidFileError& error) {
        EXPECT_EQ(error.what(), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    try {
        library.LoadFromFile(dir_.string());
        FAIL() << "no error for a folder";
    } catch (const OidFileError& error) {
        EXPECT_NE(std::string(error.what()).find("\"" + dir_.string() + "\""), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(library.Count(), 1);
}

}  // namespace
