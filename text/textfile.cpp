#include "text/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <system_error>

namespace textfile {

namespace {

// "a named pipe" for a file that is not a regular one.
const char* KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return "a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "no regular file";
}

}  // namespace

namespace {

// Reads at most limit bytes of a regular file; with whole, a longer file is refused, not cut.
bool ReadRegularFile(const std::string& fileName, std::size_t limit, bool whole, std::string& bytes,
                     std::string& message) {
    const auto refuse = [&](const char* what, const std::string& reason) {
        message = std::string(what) + " file \"" + fileName + "\". " + reason;
        return false;
    };
    const auto fail = [&](const char* what, int error) {
        return refuse(what, std::generic_category().message(error));
    };
    const auto tooLarge = [&] { return refuse("Cannot read", "It is larger than 512 MiB"); };
    // Looked at before opening, since opening a pipe or a device may wait or act; and again
    // after, in case the name was swapped meanwhile (O_NONBLOCK keeps that open from waiting).
    const auto refuseOther = [&](const struct stat& info) {
        if (S_ISDIR(info.st_mode)) return fail("Cannot open", EISDIR);
        return refuse("Cannot open", std::string("It is ") + KindOf(info.st_mode) + ", not a regular file");
    };
    struct stat info;
    if (::stat(fileName.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return refuseOther(info);

    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return fail("Cannot open", errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    if (::fstat(fd, &info) != 0) return fail("Cannot read", errno);
    if (!S_ISREG(info.st_mode)) return refuseOther(info);
    const auto size = static_cast<std::uintmax_t>(info.st_size > 0 ? info.st_size : 0);
    if (whole && size > limit) return tooLarge();
    const auto readSome = [fd](char* into, std::size_t size) {
        ssize_t n;
        do n = ::read(fd, into, size);
        while (n < 0 && errno == EINTR);
        return n;
    };
    // Read straight into the string, sized as fstat says.
    bytes.assign(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit)), '\0');
    std::size_t used = 0;
    while (used < bytes.size()) {
        const ssize_t n = readSome(bytes.data() + used, bytes.size() - used);
        if (n < 0) return fail("Cannot read", errno);
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    bytes.resize(used);
    if (!whole) return true;
    // A file that grows meanwhile is read to its end, up to the limit; a small buffer asks for
    // more, so that the usual end of file costs no larger string.
    for (char more[4096];;) {
        const ssize_t n = readSome(more, sizeof more);
        if (n < 0) return fail("Cannot read", errno);
        if (n == 0) return true;
        if (bytes.size() + static_cast<std::size_t>(n) > limit) return tooLarge();
        bytes.append(more, static_cast<std::size_t>(n));
    }
}

}  // namespace

bool TryReadFile(const std::string& fileName, std::string& bytes, std::string& message) {
    return ReadRegularFile(fileName, MaxFileSize, true, bytes, message);
}

bool TryReadFileHead(const std::string& fileName, std::size_t limit, std::string& bytes,
                     std::string& message) {
    return ReadRegularFile(fileName, limit, false, bytes, message);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    ForEachLine(text, [&lines](std::string_view line) { lines.push_back(line); });
    return lines;
}

bool IsRegularFile(const std::string& fileName) {
    struct stat info;
    return ::stat(fileName.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace textfile
