#include "library/filesave.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <deque>
#include <random>
#include <system_error>
#include <utility>

#include "library/oidfileerror.h"

namespace {

// Raised with the name the caller gave, not the resolved one, so the message names what the user chose.
[[noreturn]] void Fail(const std::string& fileName, int error) {
    throw OidFileError("Cannot create file \"" + fileName + "\". " + std::generic_category().message(error));
}

[[noreturn]] void Refuse(const std::string& fileName, const std::string& reason) {
    throw OidFileError("Cannot create file \"" + fileName + "\". " + reason);
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
    void Close(const std::string& fileName) {
        if (::close(std::exchange(fd_, -1)) != 0) Fail(fileName, errno);
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
    if (fileName.empty()) Fail(fileName, ENOENT);
    const bool folderOnly = fileName.back() == '/';  // "x.oidlib/" names a folder, or nothing
    std::deque<std::string> names = NamesOf(fileName);
    if (names.empty()) Fail(fileName, EISDIR);
    const auto openRoot = [&](bool absolute) {
        Descriptor root(::open(absolute ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (root.Get() < 0) Fail(fileName, errno);
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
            if (++links > 40) Fail(fileName, ELOOP);
            if (!MayFollow(folder.Get(), info))
                Refuse(fileName,
                       "It is another user's symbolic link in a shared folder, which is not followed");
            char target[PATH_MAX];
            const ssize_t length = ::readlinkat(folder.Get(), name.c_str(), target, sizeof target);
            if (length < 0) Fail(fileName, errno);
            if (length == 0) Fail(fileName, ENOENT);
            if (static_cast<std::size_t>(length) == sizeof target) Fail(fileName, ENAMETOOLONG);
            const std::string next(target, static_cast<std::size_t>(length));
            std::deque<std::string> nextNames = NamesOf(next);
            names.insert(names.begin(), nextNames.begin(), nextNames.end());
            if (next.front() == '/') folder = openRoot(true);
            if (names.empty()) Fail(fileName, EISDIR);  // a link to "/"
            continue;
        }
        if (names.empty() && !folderOnly) return {std::move(folder), std::move(name)};
        Descriptor next(::openat(folder.Get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (next.Get() < 0) Fail(fileName, errno);
        if (names.empty()) Fail(fileName, EISDIR);
        folder = std::move(next);
    }
}

// Temporary files are named ".oidwright-" 16 hex digits ".tmp": short enough for any folder that
// holds the target, hidden from folder listings, and recognised as the program's own.
constexpr std::string_view TemporaryPrefix = ".oidwright-", TemporarySuffix = ".tmp";
constexpr std::size_t TemporaryDigits = 16;

bool IsTemporaryName(std::string_view name) {
    if (name.size() != TemporaryPrefix.size() + TemporaryDigits + TemporarySuffix.size() ||
        !name.starts_with(TemporaryPrefix) || !name.ends_with(TemporarySuffix))
        return false;
    const std::string_view digits = name.substr(TemporaryPrefix.size(), TemporaryDigits);
    return digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

std::string TemporaryName() {
    static const std::uint64_t start = std::random_device()() * 0x100000000ull ^ std::random_device()();
    static std::atomic<std::uint64_t> counter{0};
    char digits[TemporaryDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(start + counter++));
    return std::string(TemporaryPrefix) + digits + std::string(TemporarySuffix);
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

void WriteAll(int fd, std::string_view bytes, const std::string& fileName) {
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(fileName, errno);
        written += static_cast<std::size_t>(n);
    }
}

// A temporary file beside the target, removed unless it has been renamed over the target.
class TemporaryFile {
  public:
    TemporaryFile(int folder, const std::string& fileName) : folder_(folder) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            name_ = TemporaryName();
            Descriptor file(
                ::openat(folder, name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            if (file.Get() < 0 && errno == EEXIST) continue;
            if (file.Get() < 0) Fail(fileName, errno);
            // Another save's cleaning may have taken the new file before it was locked: then anew.
            struct stat info;
            if (::flock(file.Get(), LOCK_EX) == 0 && ::fstat(file.Get(), &info) == 0 && info.st_nlink == 0)
                continue;
            // A second descriptor holds the lock while the first is closed, before the rename.
            lock_ = Descriptor(::fcntl(file.Get(), F_DUPFD_CLOEXEC, 0));
            if (lock_.Get() < 0) Fail(fileName, errno);
            file_ = std::move(file);
            return;
        }
        Fail(fileName, EEXIST);
    }
    ~TemporaryFile() {
        if (!renamed_) ::unlinkat(folder_, name_.c_str(), 0);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Takes over the replaced file's owner, group and mode. Only root may give a file away: for
    // anyone else the new file stays the saver's (EPERM). A file system without owners or
    // permission bits (EPERM, ENOTSUP) still takes the save.
    void KeepAttributesOf(const struct stat& existing, const std::string& fileName) {
        struct stat own;
        if (::fstat(file_.Get(), &own) != 0) Fail(fileName, errno);
        const auto tolerated = [] { return errno == EPERM || errno == ENOTSUP; };
        if ((own.st_uid != existing.st_uid || own.st_gid != existing.st_gid) &&
            ::fchown(file_.Get(), existing.st_uid, existing.st_gid) != 0 && !tolerated())
            Fail(fileName, errno);
        // After the owner: changing it clears the set-user and set-group bits.
        if (::fchmod(file_.Get(), existing.st_mode & 07777) != 0 && !tolerated()) Fail(fileName, errno);
    }

    void Write(std::string_view bytes, bool sync, const std::string& fileName) {
        WriteAll(file_.Get(), bytes, fileName);
        if (sync && ::fsync(file_.Get()) != 0) Fail(fileName, errno);
        file_.Close(fileName);
    }

    void RenameOver(const std::string& target, const std::string& fileName) {
        if (::renameat(folder_, name_.c_str(), folder_, target.c_str()) != 0) Fail(fileName, errno);
        renamed_ = true;
    }

  private:
    int folder_;
    std::string name_;
    Descriptor lock_, file_;
    bool renamed_ = false;
};

// The rename is durable only once the folder's entry list reaches the disk.
void SyncFolder(int folder, const std::string& fileName) {
    Descriptor listing(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (listing.Get() < 0) Fail(fileName, errno);
    if (::fsync(listing.Get()) != 0 && errno != EINVAL) Fail(fileName, errno);
    listing.Close(fileName);
}

}  // namespace

void SaveFileContent(const std::string& fileName, std::string_view bytes, NewFileSync newFile,
                     LinkAtName linkAtName) {
    const Location target = Locate(fileName, linkAtName);
    const int folder = target.folder.Get();
    const char* name = target.name.c_str();
    struct stat existing;
    // A link left here is one to replace: it is not the file whose attributes to keep.
    const bool exists =
        ::fstatat(folder, name, &existing, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISLNK(existing.st_mode);
    if (exists && S_ISDIR(existing.st_mode)) Fail(fileName, EISDIR);
    // Opening a pipe waits for a reader, a device may never take the end of the bytes.
    if (exists && !S_ISREG(existing.st_mode)) Refuse(fileName, "It is not a regular file");
    // Renaming over it would succeed in a writable folder; the user marked it as not to be changed.
    if (exists && ((existing.st_mode & 0222) == 0 || ::faccessat(folder, name, W_OK, AT_EACCESS) != 0))
        Refuse(fileName, "The file is read-only");

    RemoveStaleTemporaries(folder);
    const bool sync = exists || newFile == NewFileSync::now;
    TemporaryFile file(folder, fileName);
    if (exists) file.KeepAttributesOf(existing, fileName);
    file.Write(bytes, sync, fileName);
    file.RenameOver(target.name, fileName);
    if (sync) SyncFolder(folder, fileName);
}

void SyncFileSystemOf(const std::string& folder) {
    Descriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.Get() < 0 || ::syncfs(handle.Get()) != 0) Fail(folder, errno);
    handle.Close(folder);
}
