#pragma once
// The error of every file operation of the platform layer.

#include <stdexcept>
#include <string>

namespace platform {

// Why a file could not be opened, read or written, in the words the user reads: the system's
// ("No such file or directory") or the program's ("It is a device, not a regular file"). The
// caller adds what was being done and to which file.
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace platform
