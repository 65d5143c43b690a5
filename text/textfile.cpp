#include "text/textfile.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/fileerror.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace textfile {

namespace {

// Reads at most limit bytes of a regular file; with whole, a longer file is refused, not cut.
bool ReadRegularFile(const std::string& fileName, std::size_t limit, bool whole, std::string& bytes,
                     std::string& message) {
    const auto refuse = [&](const char* what, const std::string& reason) {
        message = std::string(what) + " file \"" + fileName + "\". " + reason;
        return false;
    };
    const auto tooLarge = [&] { return refuse("Cannot read", "It is larger than 512 MiB"); };
    std::optional<platform::InputFile> file;
    try {
        file.emplace(fileName);
    } catch (const platform::FileError& error) {
        return refuse("Cannot open", error.what());
    }
    if (whole && file->Size() > limit) return tooLarge();
    try {
        // Read straight into the string, sized as the file's entry says.
        bytes.assign(static_cast<std::size_t>(std::min<std::uint64_t>(file->Size(), limit)), '\0');
        std::size_t used = 0;
        while (used < bytes.size()) {
            const std::size_t n = file->Read(bytes.data() + used, bytes.size() - used);
            if (n == 0) break;
            used += n;
        }
        bytes.resize(used);
        if (!whole) return true;
        // A file that grows meanwhile is read to its end, up to the limit; a small buffer asks for
        // more, so that the usual end of file costs no larger string.
        for (char more[4096];;) {
            const std::size_t n = file->Read(more, sizeof more);
            if (n == 0) return true;
            if (bytes.size() + n > limit) return tooLarge();
            bytes.append(more, n);
        }
    } catch (const platform::FileError& error) {
        return refuse("Cannot read", error.what());
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
    std::error_code error;
    return std::filesystem::is_regular_file(platform::PathOf(fileName), error);
}

}  // namespace textfile
