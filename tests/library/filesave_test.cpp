// What a save refuses to write over, as the user and as a normal user: links another user
// planted in a shared folder, pipes and sockets, read-only files.
#include "library/filesave.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "library/oidfile.h"
#include "normaluser.h"
#include "tempfolder.h"
#include "text/textfile.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& path) {
    return textfile::ReadFile<std::runtime_error>(path.string());
}

void WriteBytes(const fs::path& path, const std::string& bytes, fs::perms perms = fs::perms(0666)) {
    std::ofstream(path, std::ios::binary) << bytes;
    fs::permissions(path, perms);
}

// "" when the save went through, else its message.
std::string Save(const fs::path& target, NewFileSync newFile = NewFileSync::now) {
    try {
        SaveFileContent(target.string(), "new", newFile);
        return "";
    } catch (const OidFileError& error) {
        return error.what();
    }
}

// Reports a mismatch from inside a child process, where gtest's checks do not reach the parent.
bool Expect(bool holds, const std::string& what) {
    if (!holds) std::cerr << "failed: " << what << "\n";
    return holds;
}

// A folder readable by every user, removed afterwards.
class FileSave : public testing::Test {
  protected:
    TempFolder temp_{TempFolder::Access::everyone};
    const fs::path dir_ = temp_.path;
};

TEST_F(FileSave, RefusesWhatIsNoRegularFileOrReadOnly) {
    const fs::path pipe = dir_ / "pipe.oidlib", socket = dir_ / "socket.oidlib",
                   readOnly = dir_ / "ro.oidlib", othersFile = dir_ / "others.oidlib";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket.c_str());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::chmod(socket.c_str(), 0666);
    WriteBytes(readOnly, "old", fs::perms(0444));
    WriteBytes(othersFile, "old", fs::perms(0644));  // the test's own, so read-only to anyone else

    const auto refusal = [](const fs::path& target, const std::string& reason) {
        return "Cannot create file \"" + target.string() + "\". " + reason;
    };
    const auto check = [&] {
        bool ok = true;
        for (const NewFileSync newFile : {NewFileSync::now, NewFileSync::later})
            ok = Expect(Save(pipe, newFile) == refusal(pipe, "It is not a regular file"), "pipe") &&
                 Expect(Save(socket, newFile) == refusal(socket, "It is not a regular file"), "socket") &&
                 Expect(Save(readOnly, newFile) == refusal(readOnly, "The file is read-only"), "read-only") &&
                 ok;
        if (::geteuid() == testuser::Nobody)
            ok = ok &&
                 Expect(Save(othersFile) == refusal(othersFile, "The file is read-only"), "other's file");
        return ok && Expect(ReadBytes(readOnly) == "old" && ReadBytes(othersFile) == "old", "kept") &&
               Expect(fs::is_fifo(pipe) && fs::is_socket(socket), "kinds kept");
    };
    EXPECT_TRUE(check());
    EXPECT_TRUE(testuser::AsNormalUser(check));
    ::close(listener);
    // Only these four: no temporary file stays behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 4);
}

TEST_F(FileSave, NewFilesMayWaitForOneSyncOfTheirFileSystem) {
    WriteBytes(dir_ / "old.oidlib", "old");
    for (const char* name : {"new.oidlib", "old.oidlib"}) {
        EXPECT_EQ(Save(dir_ / name, NewFileSync::later), "") << name;
        EXPECT_EQ(ReadBytes(dir_ / name), "new") << name;
    }
    EXPECT_NO_THROW(SyncFileSystemOf(dir_.string()));
    EXPECT_THROW(SyncFileSystemOf((dir_ / "absent").string()), OidFileError);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);  // no temporary left
}

// The kernel's protected-symlinks rule, applied by hand to every name of the path: in a sticky
// world-writable folder a link is followed only when it belongs to the one who saves or to the
// folder's owner, whether it stands for the file or for a folder on the way to it.
struct LinkCase {
    std::string what;
    fs::path saved, link, target;  // the name saved to, the link on its way, the file it reaches
    bool followed;
};

bool SaveThroughLinks(const std::vector<LinkCase>& cases) {
    bool ok = true;
    for (const LinkCase& c : cases) {
        const std::string message = Save(c.saved);
        const std::string expected =
            c.followed
                ? ""
                : "Cannot create file \"" + c.saved.string() +
                      "\". It is another user's symbolic link in a shared folder, which is not followed";
        ok = Expect(message == expected, c.what + ": " + message) &&
             Expect(ReadBytes(c.target) == (c.followed ? "new" : "old"), c.what + ": target") &&
             Expect(fs::is_symlink(c.link), c.what + ": link kept") && ok;
    }
    return ok;
}

TEST_F(FileSave, FollowsLinksOnlyWhereTheKernelWould) {
    if (::geteuid() != 0) GTEST_SKIP() << "skipped: links of other users can only be made as root";
    constexpr uid_t folderOwner = 12345;
    const fs::path shared = dir_ / "shared", real = dir_ / "real";
    fs::create_directory(shared);
    fs::create_directory(real);
    fs::permissions(shared, fs::perms(01777));
    fs::permissions(real, fs::perms(0777));
    ASSERT_EQ(::chown(shared.c_str(), folderOwner, folderOwner), 0);

    // Links owned as each case says, to a file or to a folder any user may write.
    const auto makeLinks = [&](const std::string& saver, uid_t self, uid_t other) {
        const struct {
            const char* what;
            fs::path folder;
            uid_t owner;
            bool followed;
        } rows[] = {
            {"own link in a shared folder", shared, self, true},
            {"another user's link in a shared folder", shared, other, false},
            {"the folder owner's link in a shared folder", shared, folderOwner, true},
            {"another user's link in a private folder", real, other, true},
        };
        std::vector<LinkCase> cases;
        for (const auto& row : rows) {
            const std::string name = saver + " " + row.what;
            LinkCase file{name, row.folder / (name + ".link"), row.folder / (name + ".link"),
                          real / (name + ".oidlib"), row.followed};
            fs::create_symlink(file.target, file.link);
            // The same link to a folder, in the middle of the saved path: shared/dirlink/x.oidlib.
            const fs::path folder = real / (name + " folder");
            fs::create_directory(folder);
            fs::permissions(folder, fs::perms(0777));
            LinkCase middle{name + ", to a folder", row.folder / (name + ".dirlink") / "x.oidlib",
                            row.folder / (name + ".dirlink"), folder / "x.oidlib", row.followed};
            fs::create_directory_symlink(folder, middle.link);
            for (const LinkCase& c : {file, middle}) {
                WriteBytes(c.target, "old");
                EXPECT_EQ(::lchown(c.link.c_str(), row.owner, row.owner), 0);
                cases.push_back(c);
            }
        }
        // A link of the user's own, relative, leading through another user's link in the shared folder.
        const std::string name = saver + " own link through another's";
        LinkCase chain{name, real / (name + ".link") / "x.oidlib", real / (name + ".link"),
                       real / (saver + " another user's link in a shared folder folder") / "x.oidlib", false};
        fs::create_directory_symlink(
            fs::path("../shared") / (saver + " another user's link in a shared folder.dirlink"), chain.link);
        EXPECT_EQ(::lchown(chain.link.c_str(), self, self), 0);
        cases.push_back(chain);
        return cases;
    };
    EXPECT_TRUE(SaveThroughLinks(makeLinks("root", 0, testuser::Nobody)));
    const std::vector<LinkCase> nobodys = makeLinks("nobody", testuser::Nobody, 0);
    EXPECT_TRUE(testuser::AsNormalUser([&] { return SaveThroughLinks(nobodys); }));
}

// Where a file is saved through, the path cannot name it: as a folder, through a file, in a folder
// that is not there; each keeps what was there.
TEST_F(FileSave, PathsThatNameNoFile) {
    WriteBytes(dir_ / "file.oidlib", "old");
    fs::create_directory(dir_ / "folder");
    const auto refusal = [](const fs::path& target, std::errc error) {
        return "Cannot create file \"" + target.string() + "\". " + std::make_error_code(error).message();
    };
    const struct {
        fs::path saved;
        std::errc error;
    } rows[] = {
        {dir_ / "folder", std::errc::is_a_directory},
        {dir_ / "folder/", std::errc::is_a_directory},
        {dir_ / "file.oidlib/", std::errc::not_a_directory},
        {dir_ / "folder/..", std::errc::is_a_directory},
        {dir_ / "file.oidlib/x.oidlib", std::errc::not_a_directory},
        {dir_ / "absent/x.oidlib", std::errc::no_such_file_or_directory},
        {"", std::errc::no_such_file_or_directory},
    };
    for (const auto& row : rows) EXPECT_EQ(Save(row.saved), refusal(row.saved, row.error)) << row.saved;
    EXPECT_EQ(ReadBytes(dir_ / "file.oidlib"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

// A save as root over another user's file gives the new file that user's owner, group and mode,
// so the owner keeps access; a normal user keeps the mode of a file of the user's own.
TEST_F(FileSave, KeepsTheReplacedFilesOwnerGroupAndMode) {
    const struct {
        const char* name;
        uid_t owner;
        gid_t group;
        mode_t mode;
    } rows[] = {
        {"private.oidlib", testuser::Nobody, testuser::Nobody, 0600},
        {"group.oidlib", 12345, 12346, 0664},
        {"shared.oidlib", testuser::Nobody, 12346, 0666},
        {"setgid.oidlib", 12345, 12346, 02644},
    };
    const bool root = ::geteuid() == 0;
    for (const auto& row : rows) {
        WriteBytes(dir_ / row.name, "old");
        if (root) {
            ASSERT_EQ(::chown((dir_ / row.name).c_str(), row.owner, row.group), 0);
        }
        ASSERT_EQ(::chmod((dir_ / row.name).c_str(), row.mode), 0);
    }
    for (const auto& row : rows) {
        const fs::path target = dir_ / row.name;
        EXPECT_EQ(Save(target), "") << row.name;
        EXPECT_EQ(ReadBytes(target), "new") << row.name;
        struct stat info;
        ASSERT_EQ(::stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, row.mode) << row.name;
        if (root) {
            EXPECT_EQ(std::pair(info.st_uid, info.st_gid), std::pair(row.owner, row.group)) << row.name;
        }
    }
    // A normal user's own file: its mode stays.
    const fs::path own = dir_ / "own.oidlib";
    EXPECT_TRUE(testuser::AsNormalUser([&] {
        WriteBytes(own, "old", fs::perms(0640));
        struct stat info;
        return Expect(Save(own) == "" && ::stat(own.c_str(), &info) == 0 && (info.st_mode & 07777) == 0640 &&
                          info.st_uid == ::geteuid(),
                      "own file");
    }));
}

// A name as long as the folder allows saves: the temporary name does not grow with it.
TEST_F(FileSave, LongestNamesSave) {
    for (const std::size_t length : {std::size_t{1}, std::size_t{250}, std::size_t{255}}) {
        const fs::path target = dir_ / std::string(length, 'n');
        EXPECT_EQ(Save(target), "") << length;
        EXPECT_EQ(ReadBytes(target), "new") << length;
    }
    EXPECT_EQ(Save(dir_ / std::string(256, 'n')),
              "Cannot create file \"" + (dir_ / std::string(256, 'n')).string() + "\". File name too long");
}

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A save in a folder removes the temporary files that killed saves left there, and only those:
// not a live save's, not another user's, nothing of another name or kind.
TEST_F(FileSave, RemovesOnlyItsOwnStaleTemporaries) {
    const std::string stale = ".oidwright-0123456789abcdef.tmp", live = ".oidwright-00000000000000aa.tmp",
                      others = ".oidwright-00000000000000bb.tmp";
    const char* kept[] = {".oidwright-0123456789ABCDEF.tmp", ".oidwright-0123.tmp",
                          ".oidwright-0123456789abcdef.tm", "lib.oidlib.~123-0.tmp", "notes.tmp"};
    WriteBytes(dir_ / stale, "left by a killed save");
    WriteBytes(dir_ / live, "being written");
    for (const char* name : kept) WriteBytes(dir_ / name, "kept");
    fs::create_directory(dir_ / ".oidwright-00000000000000cc.tmp");
    fs::create_symlink(dir_ / "notes.tmp", dir_ / ".oidwright-00000000000000dd.tmp");
    WriteBytes(dir_ / others, "another user's");
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown((dir_ / others).c_str(), testuser::Nobody, testuser::Nobody), 0);
    }
    // A save still writing holds the lock on its temporary file.
    const int writing = ::open((dir_ / live).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(writing, LOCK_EX), 0);

    EXPECT_EQ(Save(dir_ / "lib.oidlib"), "");
    std::vector<std::string> expected(std::begin(kept), std::end(kept));
    expected.insert(expected.end(), {live, ".oidwright-00000000000000cc.tmp",
                                     ".oidwright-00000000000000dd.tmp", "lib.oidlib"});
    if (root) expected.push_back(others);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(dir_), expected);
    ::close(writing);
}

// A save killed by a signal (here the file size limit) leaves its temporary file; the next save
// in that folder removes it.
TEST_F(FileSave, NextSaveRemovesWhatAKilledSaveLeft) {
    WriteBytes(dir_ / "lib.oidlib", "old");
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_DFL);
        SaveFileContent((dir_ / "lib.oidlib").string(), std::string(65536, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    ASSERT_EQ(NamesIn(dir_).size(), 2u);  // the library and a temporary file
    EXPECT_EQ(ReadBytes(dir_ / "lib.oidlib"), "old");

    EXPECT_EQ(Save(dir_ / "other.oidlib"), "");
    EXPECT_EQ(NamesIn(dir_), (std::vector<std::string>{"lib.oidlib", "other.oidlib"}));
}

}  // namespace
