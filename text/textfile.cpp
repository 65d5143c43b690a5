#include "text/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace textfile {

bool TryReadFile(const std::string& fileName, std::string& bytes, std::string& message) {
    const auto fail = [&](const char* what, int error) {
        message = std::string(what) + " file \"" + fileName + "\". " + std::generic_category().message(error);
        return false;
    };
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail("Cannot open", errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat info;
    if (::fstat(fd, &info) != 0) return fail("Cannot read", errno);
    if (S_ISDIR(info.st_mode)) return fail("Cannot open", EISDIR);
    const auto readSome = [fd](char* into, std::size_t size) {
        ssize_t n;
        do n = ::read(fd, into, size);
        while (n < 0 && errno == EINTR);
        return n;
    };
    // Read straight into the string, sized as fstat says.
    bytes.assign(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0, '\0');
    std::size_t used = 0;
    while (used < bytes.size()) {
        const ssize_t n = readSome(bytes.data() + used, bytes.size() - used);
        if (n < 0) return fail("Cannot read", errno);
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    bytes.resize(used);
    // A file that grows meanwhile is read to its end; a small buffer asks for more, so that the
    // usual end of file costs no larger string.
    for (char more[4096];;) {
        const ssize_t n = readSome(more, sizeof more);
        if (n < 0) return fail("Cannot read", errno);
        if (n == 0) return true;
        bytes.append(more, static_cast<std::size_t>(n));
    }
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
