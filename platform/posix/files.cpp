#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/fileerror.h"

namespace platform {

namespace {

[[noreturn]] void Fail(int error) {
    throw FileError(std::generic_category().message(error));
}

// Refuses a file that is no regular one: "It is a named pipe, not a regular file".
void RefuseOther(mode_t mode) {
    if (S_ISREG(mode)) return;
    if (S_ISDIR(mode)) Fail(EISDIR);
    const char* kind = S_ISFIFO(mode)                   ? "a named pipe"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                       : S_ISSOCK(mode)                 ? "a socket"
                                                        : "no regular file";
    throw FileError(std::string("It is ") + kind + ", not a regular file");
}

std::uint64_t Nanoseconds(const struct timespec& time) {
    return static_cast<std::uint64_t>(time.tv_sec) * 1000000000u + static_cast<std::uint64_t>(time.tv_nsec);
}

}  // namespace

InputFile::InputFile(const std::string& fileName) {
    // O_NONBLOCK keeps the open from waiting should the name become a pipe after the look.
    struct stat info;
    if (::stat(fileName.c_str(), &info) == 0) RefuseOther(info.st_mode);
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) Fail(errno);
    handle_ = fd;
    try {
        if (::fstat(fd, &info) != 0) Fail(errno);
        RefuseOther(info.st_mode);
    } catch (...) {
        ::close(fd);
        throw;
    }
    size_ = static_cast<std::uint64_t>(info.st_size > 0 ? info.st_size : 0);
}

InputFile::~InputFile() {
    ::close(static_cast<int>(handle_));
}

std::size_t InputFile::Read(char* into, std::size_t size) {
    ssize_t n;
    do n = ::read(static_cast<int>(handle_), into, size);
    while (n < 0 && errno == EINTR);
    if (n < 0) Fail(errno);
    return static_cast<std::size_t>(n);
}

bool StampOf(const std::string& fileName, FileStamp& stamp) {
    struct stat info;
    if (::stat(fileName.c_str(), &info) != 0) return false;
    stamp = {static_cast<std::uint64_t>(info.st_size), Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim),
             static_cast<std::uint64_t>(info.st_ino)};
    return true;
}

}  // namespace platform
