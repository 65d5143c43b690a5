#include "import/modulelocator.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "import/stripcomments.h"
#include "library/oidfile.h"
#include "mib/sourcetext.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder of module files for one test.
class ModuleFolder {
  public:
    ModuleFolder()
        : path_(fs::temp_directory_path() /
                ("oidwright-locator-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ModuleFolder() { fs::remove_all(path_); }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
    }
    std::string Folder() const { return path_.string() + "/"; }

  private:
    static inline int counter_ = 0;
    fs::path path_;
};

std::string Header(const std::string& module) {
    return module + " DEFINITIONS ::= BEGIN\nEND\n";
}

struct StripCase {
    const char* text;
    const char* stripped;
};

class StripCommentsTest : public testing::TestWithParam<StripCase> {};

TEST_P(StripCommentsTest, RemovesBothKinds) {
    EXPECT_EQ(StripComments(GetParam().text), GetParam().stripped);
}

INSTANTIATE_TEST_SUITE_P(
    Import, StripCommentsTest,
    testing::Values(StripCase{"a -- note\r\nb\r\n", "a \nb\r\n"}, StripCase{"\"x--y\"\r\n", "\"x\n"},
                    StripCase{"a /* gone */ b", "a  b"},
                    // Bodies with a star, slash or caret stay.
                    StripCase{"a /* 2*3 */ b", "a /* 2*3 */ b"}, StripCase{"a /* x/y */ b", "a /* x/y */ b"},
                    StripCase{"a /* x^y */ b", "a /* x^y */ b"},
                    // A "--" without a carriage return after it stays.
                    StripCase{"a -- b", "a -- b"},
                    // A comment ends at its first carriage return; the
                    // search goes on after it.
                    StripCase{"--x--y\r--z\rw", "w"}, StripCase{"-- a /* b\r\n*/ c", "\n*/ c"},
                    // A start that does not close is passed over: the
                    // next one may still close.
                    StripCase{"/*a/*b*/c", "/*ac"}, StripCase{"/*/ x */", "/*/ x */"},
                    StripCase{"/**/ /*", " /*"}));

struct HeaderCase {
    const char* text;
    const char* module;
};

class ScannedHeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(ScannedHeaderTest, FindsTheModuleName) {
    EXPECT_EQ(ScannedModuleName(GetParam().text), GetParam().module);
}

INSTANTIATE_TEST_SUITE_P(Import, ScannedHeaderTest,
                         testing::Values(HeaderCase{"IF-MIB DEFINITIONS ::= BEGIN", "IF-MIB"},
                                         HeaderCase{"if-mib definitions ::= begin", "IF-MIB"},
                                         HeaderCase{"\r\n  Foo-MIB\r\n DEFINITIONS\r\n::= BEGIN", "FOO-MIB"},
                                         HeaderCase{"x\bFOO DEFINITIONS ::= BEGIN", "FOO"},
                                         // A tab is no delimiter, so the name keeps it.
                                         HeaderCase{"x\tFOO DEFINITIONS ::= BEGIN", "X\tFOO"},
                                         // No blank before "::=", or tags between: not accepted.
                                         HeaderCase{"FOO DEFINITIONS::= BEGIN", ""},
                                         HeaderCase{"FOO DEFINITIONS IMPLICIT TAGS ::= BEGIN", ""},
                                         HeaderCase{"FOO DEFINITIONS", ""}, HeaderCase{"no header", ""},
                                         // Only the first keyword counts.
                                         HeaderCase{"A DEFINITIONS x B DEFINITIONS ::= BEGIN", ""}));

struct LocateCase {
    std::vector<std::pair<const char*, const char*>> files;  // name, module in its header
    const char* module;
    const char* found;  // bare name, "" for none
};

class LocateModuleTest : public testing::TestWithParam<LocateCase> {};

TEST_P(LocateModuleTest, TriesCandidatesInOrder) {
    ModuleFolder folder;
    for (const auto& [name, module] : GetParam().files) folder.Write(name, Header(module));
    toidfile library;
    ModuleHeaders headers;
    const std::string found = LocateModule(library, GetParam().module, folder.Folder(), headers);
    EXPECT_EQ(found, *GetParam().found ? folder.Folder() + GetParam().found : "");
}

INSTANTIATE_TEST_SUITE_P(
    Import, LocateModuleTest,
    testing::Values(
        LocateCase{{{"SNMPv2-SMI.my", "X"}, {"SNMPv2-SMI.mib", "X"}}, "SNMPv2-SMI", "SNMPv2-SMI.mib"},
        LocateCase{{{"SNMPv2SMI.my", "X"}}, "SNMPv2", "SNMPv2SMI.my"},
        LocateCase{{{"SNMPv2SMI.mib", "X"}, {"SNMPv2SMI.my", "X"}}, "SNMPv2", "SNMPv2SMI.mib"},
        LocateCase{{{"FOO-V1SMI.my", "X"}}, "FOO", "FOO-V1SMI.my"},
        // The name without -MIB is tried with .mib only; a .my copy is found by its header.
        LocateCase{{{"IF.mib", "X"}}, "IF-MIB", "IF.mib"},
        LocateCase{{{"IF.my", "IF-MIB"}}, "IF-MIB", "IF.my"}, LocateCase{{{"IF.my", "OTHER"}}, "IF-MIB", ""},
        LocateCase{{{"ab.mib", "x-mib"}}, "X-MIB", "ab.mib"},
        // Scans: .mib before .my before .txt, names in byte order, header case ignored.
        LocateCase{{{"b.txt", "WANTED"}, {"a.my", "wanted"}}, "WANTED", "a.my"},
        LocateCase{{{"b.mib", "WANTED"}, {"a.mib", "WANTED"}}, "wanted", "a.mib"},
        LocateCase{{{"upper.MIB", "WANTED"}}, "WANTED", "upper.MIB"},
        LocateCase{{{".hidden.mib", "WANTED"}, {"other.doc", "WANTED"}}, "WANTED", ""}));

TEST(ImportModuleHeaders, CommentedHeaderAndByteOrderMark) {
    ModuleFolder folder;
    folder.Write("a.mib", "-- OLD-MIB DEFINITIONS ::= BEGIN\r\nNEW-MIB DEFINITIONS ::= BEGIN\r\nEND\r\n");
    folder.Write("b.mib", "\xEF\xBB\xBF" + Header("BOM-MIB"));
    toidfile library;
    ModuleHeaders headers;
    EXPECT_EQ(FindModuleFile(library, "OLD-MIB", folder.Folder() + "*.mib", headers), "");
    EXPECT_EQ(FindModuleFile(library, "NEW-MIB", folder.Folder() + "*.mib", headers),
              folder.Folder() + "a.mib");
    EXPECT_EQ(FindModuleFile(library, "BOM-MIB", folder.Folder() + "*.mib", headers),
              folder.Folder() + "b.mib");
}

TEST(ImportModuleHeaders, ReadsEachFileOnceAndReportsReads) {
    ModuleFolder folder;
    for (int i = 0; i < 5; ++i)
        folder.Write("m" + std::to_string(i) + ".mib", Header("M" + std::to_string(i)));
    toidfile library;
    std::vector<std::string> reported;
    library.OnModuleSearch = [&](toidfile&, const std::string& module, const std::string& file) {
        reported.push_back(module + " " + file);
    };
    ModuleHeaders headers;
    EXPECT_EQ(FindModuleFile(library, "m3", folder.Folder() + "*.mib", headers), folder.Folder() + "m3.mib");
    EXPECT_EQ(reported, (std::vector<std::string>{"M3 m0.mib", "M3 m1.mib", "M3 m2.mib", "M3 m3.mib"}));
    EXPECT_EQ(FindModuleFile(library, "NONE", folder.Folder() + "*.mib", headers), "");
    EXPECT_EQ(FindModuleFile(library, "M1", folder.Folder() + "*.mib", headers), folder.Folder() + "m1.mib");
    EXPECT_EQ(headers.FilesRead(), 5);
    EXPECT_EQ(reported.size(), 5u);  // only the one file not read before

    // A changed file is read again and answers with its new header.
    folder.Write("m1.mib", Header("CHANGED-MODULE"));
    EXPECT_EQ(FindModuleFile(library, "CHANGED-MODULE", folder.Folder() + "*.mib", headers),
              folder.Folder() + "m1.mib");
    EXPECT_EQ(headers.FilesRead(), 6);
}

// Where each module is found, reading through an index first when one is given.
std::vector<std::string> LocateAll(const ModuleFolder& folder, ModuleHeaders& headers) {
    toidfile library;
    std::vector<std::string> found;
    for (const char* module : {"ALPHA", "BETA", "BETB", "GAMMA", "DELTA", "NONE"})
        found.push_back(LocateModule(library, module, folder.Folder(), headers));
    return found;
}

std::vector<std::string> FullScan(const ModuleFolder& folder) {
    ModuleHeaders headers;
    return LocateAll(folder, headers);
}

TEST(ImportModuleIndex, FindsWhatAFullScanFindsAfterRenameEditAndDelete) {
    ModuleFolder folder, cache;
    for (const auto& [name, module] :
         {std::pair{"a.mib", "ALPHA"}, {"b.mib", "BETA"}, {"c.my", "GAMMA"}, {"d.txt", "DELTA"}})
        folder.Write(name, Header(module));
    const std::string index = ModuleIndexFile(cache.Folder(), folder.Folder());
    {
        ModuleHeaders first;
        first.LoadIndex(index);
        EXPECT_EQ(LocateAll(folder, first), FullScan(folder));
        EXPECT_EQ(first.FilesRead(), 4);
        first.SaveIndex(index);
    }
    fs::rename(folder.Folder() + "a.mib", folder.Folder() + "z.mib");
    // Same size and modification time: only the change time tells the edit.
    const auto modified = fs::last_write_time(folder.Folder() + "b.mib");
    folder.Write("b.mib", Header("BETB"));
    fs::last_write_time(folder.Folder() + "b.mib", modified);
    fs::remove(folder.Folder() + "c.my");

    ModuleHeaders second;
    second.LoadIndex(index);
    const std::vector<std::string> found = LocateAll(folder, second);
    EXPECT_EQ(found, FullScan(folder));
    EXPECT_EQ(found[1], "");
    EXPECT_EQ(found[2], folder.Folder() + "b.mib");
    EXPECT_EQ(second.FilesRead(), 2);  // the renamed and the edited file
    second.SaveIndex(index);

    ModuleHeaders third;
    third.LoadIndex(index);
    EXPECT_EQ(LocateAll(folder, third), found);
    EXPECT_EQ(third.FilesRead(), 0);
}

TEST(ImportModuleIndex, DamagedIndexIsIgnoredAndRebuilt) {
    ModuleFolder folder, cache;
    folder.Write("a.mib", Header("ALPHA"));
    folder.Write("b.mib", Header("BETA"));
    const std::string index = ModuleIndexFile(cache.Folder(), folder.Folder());
    std::string valid;
    {
        ModuleHeaders headers;
        LocateAll(folder, headers);
        headers.SaveIndex(index);
        valid = ReadFileBytes(index);
    }
    const std::string damaged[] = {
        "",
        "not an index",
        valid.substr(0, valid.size() - 3),
        valid.substr(0, valid.find('\n') - 1) + "9" + valid.substr(valid.find('\n')),
        valid + "x",
        std::string(valid).replace(valid.find('\n') + 1, 1, "-")};
    for (const std::string& text : damaged) {
        std::ofstream(index, std::ios::binary) << text;
        ModuleHeaders headers;
        headers.LoadIndex(index);
        EXPECT_EQ(LocateAll(folder, headers), FullScan(folder)) << text;
        EXPECT_EQ(headers.FilesRead(), 2) << text;
        headers.SaveIndex(index);
        EXPECT_EQ(ReadFileBytes(index).size(), valid.size()) << text;
    }
    fs::remove(index);
    fs::create_directory(index);  // unreadable and unwritable: still no error
    ModuleHeaders headers;
    headers.LoadIndex(index);
    EXPECT_EQ(LocateAll(folder, headers), FullScan(folder));
    headers.SaveIndex(index);
}

}  // namespace
