#include "import/modulelocator.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <thread>

#include "import/stripcomments.h"
#include "mib/sourcetext.h"
#include "normaluser.h"
#include "tempfolder.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder of module files for one test.
class ModuleFolder {
  public:
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(temp_.path / name, std::ios::binary) << text;
    }
    std::string Folder() const { return temp_.path.string() + "/"; }

  private:
    TempFolder temp_;
};

std::string Header(const std::string& module) {
    return module + " DEFINITIONS ::= BEGIN\nEND\n";
}

// Files written just now get stamps the index keeps for one run only; tests of what later runs
// read wait until the files' times are older than that.
void LetTimestampsSettle() {
    std::this_thread::sleep_for(ModuleHeaders::TimestampTick + std::chrono::milliseconds(5));
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
    ImportLogger logger;
    ModuleHeaders headers;
    const std::string found = LocateModule(logger, GetParam().module, folder.Folder(), headers);
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
    ImportLogger logger;
    ModuleHeaders headers;
    EXPECT_EQ(FindModuleFile(logger, "OLD-MIB", folder.Folder() + "*.mib", headers), "");
    EXPECT_EQ(FindModuleFile(logger, "NEW-MIB", folder.Folder() + "*.mib", headers),
              folder.Folder() + "a.mib");
    EXPECT_EQ(FindModuleFile(logger, "BOM-MIB", folder.Folder() + "*.mib", headers),
              folder.Folder() + "b.mib");
}

TEST(ImportModuleHeaders, ReadsEachFileOnceAndReportsReads) {
    ModuleFolder folder;
    for (int i = 0; i < 5; ++i)
        folder.Write("m" + std::to_string(i) + ".mib", Header("M" + std::to_string(i)));
    LetTimestampsSettle();
    ImportLogger logger;
    std::vector<std::string> reported;
    logger.OnModuleSearch = [&](const std::string& module, const std::string& file) {
        reported.push_back(module + " " + file);
    };
    ModuleHeaders headers;
    EXPECT_EQ(FindModuleFile(logger, "m3", folder.Folder() + "*.mib", headers), folder.Folder() + "m3.mib");
    EXPECT_EQ(reported, (std::vector<std::string>{"M3 m0.mib", "M3 m1.mib", "M3 m2.mib", "M3 m3.mib"}));
    EXPECT_EQ(FindModuleFile(logger, "NONE", folder.Folder() + "*.mib", headers), "");
    EXPECT_EQ(FindModuleFile(logger, "M1", folder.Folder() + "*.mib", headers), folder.Folder() + "m1.mib");
    EXPECT_EQ(headers.FilesRead(), 5);
    EXPECT_EQ(reported.size(), 5u);  // only the one file not read before

    // A file changed since is read again by the next run and answers with its new header.
    ModuleFolder cache;
    const std::string index = ModuleIndexFile(cache.Folder(), folder.Folder());
    headers.SaveIndex(index);
    folder.Write("m1.mib", Header("CHANGED-MODULE"));
    ModuleHeaders next;
    next.LoadIndex(index);
    EXPECT_EQ(FindModuleFile(logger, "CHANGED-MODULE", folder.Folder() + "*.mib", next),
              folder.Folder() + "m1.mib");
    EXPECT_EQ(next.FilesRead(), 1);
}

// Where each module is found, reading through an index first when one is given.
std::vector<std::string> LocateAll(const ModuleFolder& folder, ModuleHeaders& headers) {
    ImportLogger logger;
    std::vector<std::string> found;
    for (const char* module : {"ALPHA", "BETA", "BETB", "GAMMA", "DELTA", "NONE"})
        found.push_back(LocateModule(logger, module, folder.Folder(), headers));
    return found;
}

// ALPHA to DELTA in a.mib, b.mib, c.my and d.txt, old enough for the index to keep.
void WriteFourModules(const ModuleFolder& folder) {
    for (const auto& [name, module] :
         {std::pair{"a.mib", "ALPHA"}, {"b.mib", "BETA"}, {"c.my", "GAMMA"}, {"d.txt", "DELTA"}})
        folder.Write(name, Header(module));
    LetTimestampsSettle();
}

std::vector<std::string> FullScan(const ModuleFolder& folder) {
    ModuleHeaders headers;
    return LocateAll(folder, headers);
}

TEST(ImportModuleIndex, FindsWhatAFullScanFindsAfterRenameEditAndDelete) {
    ModuleFolder folder, cache;
    WriteFourModules(folder);
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
    LetTimestampsSettle();

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

// One change to the folder between two runs that share the index; the second run must find what a
// full scan finds and read only the files it names.
struct FolderChange {
    const char* what;
    std::function<void(const ModuleFolder&)> change;
    int reads;  // by the run after the change
};

class ModuleIndexChangeTest : public testing::TestWithParam<FolderChange> {};

TEST_P(ModuleIndexChangeTest, FindsWhatAFullScanFinds) {
    ModuleFolder folder, cache;
    WriteFourModules(folder);
    const std::string index = ModuleIndexFile(cache.Folder(), folder.Folder());
    {
        ModuleHeaders first;
        first.UseIndex(index);
        LocateAll(folder, first);
        first.SaveIndex();
    }
    GetParam().change(folder);
    LetTimestampsSettle();
    ModuleHeaders second;
    second.UseIndex(index);
    ImportLogger logger;
    std::vector<std::string> log;
    logger.OnLine = [&](const std::string& line) { log.push_back(line); };
    std::vector<std::string> found;
    for (const char* module : {"ALPHA", "BETA", "BETB", "GAMMA", "DELTA", "NONE"})
        found.push_back(LocateModule(logger, module, folder.Folder(), second));
    EXPECT_EQ(found, FullScan(folder));
    EXPECT_EQ(second.FilesRead(), GetParam().reads);
    second.SaveIndex();
    // The index now holds the change: a third run reads nothing more.
    ModuleHeaders third;
    third.UseIndex(index);
    EXPECT_EQ(LocateAll(folder, third), found);
    EXPECT_EQ(third.FilesRead(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Import, ModuleIndexChangeTest,
    testing::Values(
        FolderChange{"renamed",
                     [](const ModuleFolder& f) { fs::rename(f.Folder() + "a.mib", f.Folder() + "z.mib"); },
                     1},
        FolderChange{"added", [](const ModuleFolder& f) { f.Write("bb.mib", Header("BETB")); }, 1},
        FolderChange{"removed", [](const ModuleFolder& f) { fs::remove(f.Folder() + "b.mib"); }, 0},
        // Same size and modification time, same inode: only the change time tells the edit.
        FolderChange{"rewritten in place",
                     [](const ModuleFolder& f) {
                         const auto modified = fs::last_write_time(f.Folder() + "b.mib");
                         std::ofstream(f.Folder() + "b.mib", std::ios::binary | std::ios::in)
                             << Header("BETB");
                         fs::last_write_time(f.Folder() + "b.mib", modified);
                     },
                     1},
        FolderChange{"pipe", [](const ModuleFolder& f) { ::mkfifo((f.Folder() + "p.mib").c_str(), 0600); },
                     0}),
    [](const testing::TestParamInfo<FolderChange>& info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

// A file read within a clock tick of its last change may change again unseen: the next run reads it again.
TEST(ImportModuleIndex, FreshStampsServeOneRunOnly) {
    ModuleFolder folder, cache;
    const std::string index = ModuleIndexFile(cache.Folder(), folder.Folder());
    folder.Write("a.mib", Header("ALPHA"));
    for (const int reads : {1, 1, 0}) {
        ModuleHeaders headers;
        headers.UseIndex(index);
        LocateAll(folder, headers);
        EXPECT_EQ(headers.FilesRead(), reads);
        headers.SaveIndex();
        LetTimestampsSettle();
    }
}

TEST(ImportModuleIndex, NotLoadedWhenCandidateNamesFindEveryModule) {
    ModuleFolder folder, cache;
    folder.Write("ALPHA.mib", Header("ALPHA"));
    const std::string index = ModuleIndexFile(cache.Folder(), folder.Folder());
    std::ofstream(index) << "damaged";
    ModuleHeaders headers;
    headers.UseIndex(index);
    ImportLogger logger;
    EXPECT_EQ(LocateModule(logger, "ALPHA", folder.Folder(), headers), folder.Folder() + "ALPHA.mib");
    EXPECT_FALSE(headers.IndexUsed());
    headers.SaveIndex();
    EXPECT_EQ(ReadFileBytes(index), "damaged");  // neither read nor written
    EXPECT_EQ(LocateModule(logger, "NONE", folder.Folder(), headers), "");
    EXPECT_TRUE(headers.IndexUsed());
}

// A file that cannot be read costs a log line, not the import: one without read permission (as
// a normal user) and one gone since the folder was listed (as anyone).
TEST(ImportModuleHeaders, UnreadableFileIsPassedOverWithALogLine) {
    ModuleFolder folder;
    folder.Write("a.mib", Header("ALPHA"));
    folder.Write("b.mib", Header("BETA"));
    folder.Write("c.mib", Header("GAMMA"));
    ImportLogger logger;
    std::vector<std::string> log;
    logger.OnLine = [&](const std::string& line) { log.push_back(line); };
    ModuleHeaders headers;
    headers.FilesOf(folder.Folder());
    fs::remove(folder.Folder() + "a.mib");
    EXPECT_EQ(LocateModule(logger, "GAMMA", folder.Folder(), headers), folder.Folder() + "c.mib");
    EXPECT_EQ(log, std::vector<std::string>{
                       "Cannot open file \"" + folder.Folder() +
                       "a.mib\". No such file or directory (passed over in the module search)"});
    if (::geteuid() == 0) GTEST_SKIP() << "skipped: root reads files without read permission";
    fs::permissions(folder.Folder() + "b.mib", fs::perms::none);
    ModuleHeaders next;
    log.clear();
    EXPECT_EQ(LocateModule(logger, "GAMMA", folder.Folder(), next), folder.Folder() + "c.mib");
    EXPECT_EQ(log, std::vector<std::string>{"Cannot open file \"" + folder.Folder() +
                                            "b.mib\". Permission denied (passed over in the module search)"});
}

TEST(ImportModuleHeaders, ReadsOnlyTheHeadOfALargeFile) {
    ModuleFolder folder;
    // The header after more than the head: not found, and the rest of the file is never read.
    folder.Write("a.txt", std::string(ModuleHeaders::HeadBytes, ' ') + Header("LATE"));
    folder.Write("b.txt", "-- note\r\n" + Header("EARLY") + std::string(3 * ModuleHeaders::HeadBytes, 'x'));
    ImportLogger logger;
    ModuleHeaders headers;
    EXPECT_EQ(LocateModule(logger, "LATE", folder.Folder(), headers), "");
    EXPECT_EQ(LocateModule(logger, "EARLY", folder.Folder(), headers), folder.Folder() + "b.txt");
}

// The index is the program's own file: a link planted at its name, by another user in a folder
// of theirs (as root) or by the user (as a normal user), is replaced by the index, and the file
// it points at keeps its bytes.
TEST(ImportModuleIndex, LinkAtTheIndexNameIsReplacedNotFollowed) {
    TempFolder modules(TempFolder::Access::everyone), victims(TempFolder::Access::everyone);
    std::ofstream(modules.path / "a.mib", std::ios::binary) << Header("ALPHA");
    const std::string folder = modules.path.string() + "/";
    const auto savedWithoutFollowing = [&](const std::string& saver, uid_t planter) {
        const fs::path cache = victims.path / (saver + " cache"), victim = victims.path / (saver + " victim");
        fs::create_directory(cache);
        std::ofstream(victim, std::ios::binary) << "precious";
        fs::permissions(victim, fs::perms(0666));
        const std::string index = ModuleIndexFile(cache.string(), folder);
        fs::create_symlink(victim, index);
        if (::lchown(index.c_str(), planter, planter) != 0 || ::chown(cache.c_str(), planter, planter) != 0)
            return false;
        fs::permissions(cache, fs::perms(0777));
        const auto check = [&saver, &folder, index, victim] {
            ModuleHeaders headers;
            headers.UseIndex(index);
            ImportLogger logger;
            LocateModule(logger, "NONE", folder, headers);
            headers.SaveIndex();
            bool ok = true;
            for (const auto& [holds, what] :
                 {std::pair{ReadFileBytes(victim.string()) == "precious", "victim kept"},
                  {!fs::is_symlink(index), "link replaced"},
                  {ReadFileBytes(index).starts_with("oidwright module headers 1 1\n"), "index written"}})
                if (!holds) {
                    std::cerr << saver << ": failed: " << what << "\n";
                    ok = false;
                }
            return ok;
        };
        return saver == "root" ? check() : testuser::AsNormalUser(check);
    };
    if (::geteuid() == 0) {
        EXPECT_TRUE(savedWithoutFollowing("root", testuser::Nobody));
    }
    EXPECT_TRUE(savedWithoutFollowing("normal user", ::geteuid() == 0 ? testuser::Nobody : ::geteuid()));
}

TEST(ImportModuleIndex, DamagedIndexIsIgnoredAndRebuilt) {
    ModuleFolder folder, cache;
    folder.Write("a.mib", Header("ALPHA"));
    folder.Write("b.mib", Header("BETA"));
    LetTimestampsSettle();
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
