#include "library/filesave.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>

#include "library/oidfileerror.h"

namespace {

// Raised with the name the caller gave, not the resolved one, so the message names what the user chose.
[[noreturn]] void Fail(const std::string& fileName, int error) {
    throw OidFileError("Cannot create file \"" + fileName + "\". " + std::generic_category().message(error));
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void Refuse(const std::string& fileName, const std::string& reason) {
    throw OidFileError("Cannot create file \"" + fileName + "\". " + reason);
}

// The kernel's protected-symlinks rule: in a sticky, world-writable folder such as /tmp a link
// is followed only when it is the user's own or the folder owner's. Another user's link there
// could point a save at any file the user may write.
bool MayFollow(const std::string& link, const struct stat& linkInfo) {
    struct stat folder;
    if (::stat(FolderOf(link).c_str(), &folder) != 0) return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || linkInfo.st_uid == ::geteuid() || linkInfo.st_uid == folder.st_uid;
}

// The file a chain of symbolic links ends at, which need not exist yet. "lib" -> "real/lib".
std::string FollowLinks(const std::string& fileName) {
    std::string path = fileName;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        if (!MayFollow(path, info))
            Refuse(fileName, "It is another user's symbolic link in a shared folder, which is not followed");
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0) Fail(fileName, errno);
        if (static_cast<std::size_t>(length) == sizeof target) Fail(fileName, ENAMETOOLONG);
        const std::string next(target, static_cast<std::size_t>(length));
        path = next.front() == '/' ? next : FolderOf(path) + "/" + next;
    }
    Fail(fileName, ELOOP);
}

void WriteAll(int fd, std::string_view bytes, const std::string& fileName) {
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(fileName, errno);
        written += static_cast<std::size_t>(n);
    }
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    // Closing is where some file systems report a failed write.
    void Close(const std::string& fileName) {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) Fail(fileName, errno);
    }

  private:
    int fd_;
};

// Opens a new file named after path that did not exist before; -1 with errno on failure.
int CreateUnique(const std::string& path, std::string& created) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = path + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// A temporary file beside the target, removed unless it has been renamed over the target.
class TemporaryFile {
  public:
    TemporaryFile(const std::string& path, const std::string& fileName) : file_(CreateUnique(path, path_)) {
        if (file_.Get() < 0) Fail(fileName, errno);
    }
    ~TemporaryFile() {
        if (!renamed_) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void Write(std::string_view bytes, const struct stat* existing, bool sync, const std::string& fileName) {
        // A file system without permission bits (EPERM, ENOTSUP) still takes the save.
        if (existing != nullptr && ::fchmod(file_.Get(), existing->st_mode & 07777) != 0 && errno != EPERM &&
            errno != ENOTSUP)
            Fail(fileName, errno);
        WriteAll(file_.Get(), bytes, fileName);
        if (sync && ::fsync(file_.Get()) != 0) Fail(fileName, errno);
        file_.Close(fileName);
    }

    void RenameOver(const std::string& path, const std::string& fileName) {
        if (::rename(path_.c_str(), path.c_str()) != 0) Fail(fileName, errno);
        renamed_ = true;
    }

  private:
    std::string path_;
    Descriptor file_;
    bool renamed_ = false;
};

// The rename is durable only once the folder's entry list reaches the disk.
void SyncFolder(const std::string& path, const std::string& fileName) {
    Descriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() < 0) Fail(fileName, errno);
    if (::fsync(folder.Get()) != 0 && errno != EINVAL) Fail(fileName, errno);
    folder.Close(fileName);
}

}  // namespace

void SaveFileContent(const std::string& fileName, std::string_view bytes, NewFileSync newFile) {
    const std::string path = FollowLinks(fileName);
    struct stat existing;
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) Fail(fileName, EISDIR);
    // Opening a pipe waits for a reader, a device may never take the end of the bytes.
    if (exists && !S_ISREG(existing.st_mode)) Refuse(fileName, "It is not a regular file");
    // Renaming over it would succeed in a writable folder; the user marked it as not to be changed.
    if (exists &&
        ((existing.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0))
        Refuse(fileName, "The file is read-only");

    const bool sync = exists || newFile == NewFileSync::now;
    TemporaryFile file(path, fileName);
    file.Write(bytes, exists ? &existing : nullptr, sync, fileName);
    file.RenameOver(path, fileName);
    if (sync) SyncFolder(path, fileName);
}

void SyncFileSystemOf(const std::string& folder) {
    Descriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.Get() < 0 || ::syncfs(handle.Get()) != 0) Fail(folder, errno);
    handle.Close(folder);
}
