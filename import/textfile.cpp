#include "import/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "mib/sourcetext.h"
#include "text/textio.h"

bool FileExists(const std::string& fileName) {
    std::error_code error;
    return std::filesystem::is_regular_file(fileName, error);
}

std::vector<std::string> ReadTextLines(const std::string& fileName) {
    const std::string bytes = ReadFileBytes(fileName);
    const std::vector<std::string_view> lines = textfile::SplitLines(bytes);
    return {lines.begin(), lines.end()};
}

std::string ReadPlainFileHead(const std::string& fileName, std::size_t limit) {
    const auto fail = [&](const char* what, int error) {
        return MibFileError(std::string(what) + " file \"" + fileName + "\". " +
                            std::generic_category().message(error));
    };
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) throw fail("Cannot open", errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info;
    if (::fstat(fd, &info) != 0) throw fail("Cannot read", errno);
    if (!S_ISREG(info.st_mode)) throw fail("Cannot read", S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    std::string head(std::min<std::size_t>(limit, static_cast<std::size_t>(info.st_size)), '\0');
    std::size_t used = 0;
    while (used < head.size()) {
        const ssize_t n = ::read(fd, head.data() + used, head.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw fail("Cannot read", errno);
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    head.resize(used);
    return head;
}
