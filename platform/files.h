#pragma once
// Reading files and telling whether a file changed, on POSIX and on Windows. File names are UTF-8.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A regular file open for reading. A folder, pipe, device or socket is refused before it is opened,
// since opening one may wait or act, and again once open, in case the name was swapped meanwhile.
class InputFile {
  public:
    // Throws FileError: the system's reason, or "It is a named pipe, not a regular file" and the like.
    explicit InputFile(const std::string& fileName);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // The size the file had when it was opened.
    std::uint64_t Size() const { return size_; }
    // Reads at most size bytes; 0 at the end of the file. Throws FileError.
    std::size_t Read(char* into, std::size_t size);

  private:
    std::intptr_t handle_;
    std::uint64_t size_ = 0;
};

// What tells a file's content changed without reading it: size, times of the last modification
// and of the last change of the file's entry (nanoseconds since 1970), and the file's identity
// on its volume (inode, file index). A rewrite in place changes at least the change time.
struct FileStamp {
    std::uint64_t size = 0, modified = 0, changed = 0, identity = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of an existing file; false when it cannot be looked at.
bool StampOf(const std::string& fileName, FileStamp& stamp);

}  // namespace platform
