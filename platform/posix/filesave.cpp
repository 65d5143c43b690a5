#include "platform/filesave.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <system_error>
#include <utility>

#include "platform/fileerror.h"
#include "platform/temporarynames.h"

namespace platform {

namespace {

[[noreturn]] void Fail(int error) {
    throw FileError(std::generic_category().message(error));
}

class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int Get() const { return fd_; }
    // Closing is where some file systems report a failed write.
    void Close() {
        if (::close(std::exchange(fd_, -1)) != 0) Fail(errno);
    }

  private:
    int fd_;
};

// The names between the slashes, without the empty and "." ones. "/a//b/./c" -> "a", "b", "c".
std::deque<std::string> NamesOf(const std::string& path) {
    std::deque<std::string> names;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        if (slash > start && path.compare(start, slash - start, ".") != 0)
            names.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return names;
}

// The kernel's protected-symlinks rule: in a sticky, world-writable folder such as /tmp a link
// is followed only when it is the user's own or the folder owner's. Another user's link there
// could point a save at any file the user may write.
bool MayFollow(int folder, const struct stat& link) {
    struct stat info;
    if (::fstat(folder, &info) != 0) return false;
    const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == ::geteuid() || link.st_uid == info.st_uid;
}

// The folder a file is saved in, open, and the file's name inside it.
struct Location {
    Descriptor folder;
    std::string name;
};

// Finds where fileName lies, following the symbolic links on the way, in its folders as in
// its own name, only where the protected-symlinks rule allows. Each folder is opened from the
// one before without following a link, so none can be swapped for a link after it was looked at.
// "shared/dirlink/x.oidlib", dirlink another user's link in a sticky folder -> refused.
Location Locate(const std::string& fileName, LinkAtName linkAtName) {
    if (fileName.empty()) Fail(ENOENT);
    const bool folderOnly = fileName.back() == '/';  // "x.oidlib/" names a folder, or nothing
    std::deque<std::string> names = NamesOf(fileName);
    if (names.empty()) Fail(EISDIR);
    const auto openRoot = [&](bool absolute) {
        Descriptor root(::open(absolute ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (root.Get() < 0) Fail(errno);
        return root;
    };
    Descriptor folder = openRoot(fileName.front() == '/');
    for (int links = 0;;) {
        std::string name = std::move(names.front());
        names.pop_front();
        struct stat info;
        const bool isLink =
            ::fstatat(folder.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
        if (isLink && !(names.empty() && !folderOnly && linkAtName == LinkAtName::replaced)) {
            if (++links > 40) Fail(ELOOP);
            if (!MayFollow(folder.Get(), info))
                throw FileError(
                    "It is another user's symbolic link in a shared folder, which is not followed");
            char target[PATH_MAX];
            const ssize_t length = ::readlinkat(folder.Get(), name.c_str(), target, sizeof target);
            if (length < 0) Fail(errno);
            if (length == 0) Fail(ENOENT);
            if (static_cast<std::size_t>(length) == sizeof target) Fail(ENAMETOOLONG);
            const std::string next(target, static_cast<std::size_t>(length));
            std::deque<std::string> nextNames = NamesOf(next);
            names.insert(names.begin(), nextNames.begin(), nextNames.end());
            if (next.front() == '/') folder = openRoot(true);
            if (names.empty()) Fail(EISDIR);  // a link to "/"
            continue;
        }
        if (names.empty() && !folderOnly) return {std::move(folder), std::move(name)};
        Descriptor next(::openat(folder.Get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (next.Get() < 0) Fail(errno);
        if (names.empty()) Fail(EISDIR);
        folder = std::move(next);
    }
}

// A save holds a lock on its temporary file until the file is renamed or removed; the kernel
// drops the lock when the process ends, however it ends. So a temporary file of the user's own
// that can be locked was left by a save that was killed (SIGKILL, SIGXFSZ), and is removed.
// What cannot be looked at is left as it is.
void RemoveStaleTemporaries(int folder) {
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return;
    DIR* entries = ::fdopendir(listing);
    if (entries == nullptr) {
        ::close(listing);
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        if (!IsTemporaryName(entry->d_name)) continue;
        Descriptor file(
            ::openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat info;
        if (file.Get() >= 0 && ::fstat(file.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(entries);
}

void WriteAll(int fd, std::string_view bytes) {
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(errno);
        written += static_cast<std::size_t>(n);
    }
}

// A temporary file beside the target, removed unless it has been renamed over the target.
class TemporaryFile {
  public:
    explicit TemporaryFile(int folder) : folder_(folder) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            name_ = TemporaryName();
            Descriptor file(
                ::openat(folder, name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            if (file.Get() < 0 && errno == EEXIST) continue;
            if (file.Get() < 0) Fail(errno);
            // Another save's cleaning may have taken the new file before it was locked: then anew.
            struct stat info;
            if (::flock(file.Get(), LOCK_EX) == 0 && ::fstat(file.Get(), &info) == 0 && info.st_nlink == 0)
                continue;
            // A second descriptor holds the lock while the first is closed, before the rename.
            lock_ = Descriptor(::fcntl(file.Get(), F_DUPFD_CLOEXEC, 0));
            if (lock_.Get() < 0) Fail(errno);
            file_ = std::move(file);
            return;
        }
        Fail(EEXIST);
    }
    ~TemporaryFile() {
        if (!renamed_) ::unlinkat(folder_, name_.c_str(), 0);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Takes over the replaced file's owner, group and mode. Only root may give a file away: for
    // anyone else the new file stays the saver's (EPERM). A file system without owners or
    // permission bits (EPERM, ENOTSUP) still takes the save.
    void KeepAttributesOf(const struct stat& existing) {
        struct stat own;
        if (::fstat(file_.Get(), &own) != 0) Fail(errno);
        const auto tolerated = [] { return errno == EPERM || errno == ENOTSUP; };
        if ((own.st_uid != existing.st_uid || own.st_gid != existing.st_gid) &&
            ::fchown(file_.Get(), existing.st_uid, existing.st_gid) != 0 && !tolerated())
            Fail(errno);
        // After the owner: changing it clears the set-user and set-group bits.
        if (::fchmod(file_.Get(), existing.st_mode & 07777) != 0 && !tolerated()) Fail(errno);
    }

    void Write(std::string_view bytes, bool sync) {
        WriteAll(file_.Get(), bytes);
        if (sync && ::fsync(file_.Get()) != 0) Fail(errno);
        file_.Close();
    }

    void RenameOver(const std::string& target) {
        if (::renameat(folder_, name_.c_str(), folder_, target.c_str()) != 0) Fail(errno);
        renamed_ = true;
    }

  private:
    int folder_;
    std::string name_;
    Descriptor lock_, file_;
    bool renamed_ = false;
};

// The rename is durable only once the folder's entry list reaches the disk.
void SyncFolder(int folder) {
    Descriptor listing(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (listing.Get() < 0) Fail(errno);
    if (::fsync(listing.Get()) != 0 && errno != EINVAL) Fail(errno);
    listing.Close();
}

}  // namespace

void SaveFile(const std::string& fileName, std::string_view bytes, NewFileSync newFile,
              LinkAtName linkAtName) {
    const Location target = Locate(fileName, linkAtName);
    const int folder = target.folder.Get();
    const char* name = target.name.c_str();
    struct stat existing;
    // A link left here is one to replace: it is not the file whose attributes to keep.
    const bool exists =
        ::fstatat(folder, name, &existing, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISLNK(existing.st_mode);
    if (exists && S_ISDIR(existing.st_mode)) Fail(EISDIR);
    // Opening a pipe waits for a reader, a device may never take the end of the bytes.
    if (exists && !S_ISREG(existing.st_mode)) throw FileError("It is not a regular file");
    // Renaming over it would succeed in a writable folder; the user marked it as not to be changed.
    if (exists && ((existing.st_mode & 0222) == 0 || ::faccessat(folder, name, W_OK, AT_EACCESS) != 0))
        throw FileError("The file is read-only");

    RemoveStaleTemporaries(folder);
    const bool sync = exists || newFile == NewFileSync::now;
    TemporaryFile file(folder);
    if (exists) file.KeepAttributesOf(existing);
    file.Write(bytes, sync);
    file.RenameOver(target.name);
    if (sync) SyncFolder(folder);
}

void SyncFileSystemOf(const std::string& folder) {
    Descriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.Get() < 0 || ::syncfs(handle.Get()) != 0) Fail(errno);
    handle.Close();
}

}  // namespace platform
