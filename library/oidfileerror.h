#pragma once
// The errors of reading and writing library files.

#include <stdexcept>
#include <string>

// A library file that cannot be read, parsed or written; what() is the message to show.
class OidFileError : public std::runtime_error {
  public:
    explicit OidFileError(const std::string& message, int line = 0)
        : std::runtime_error(message), line_(line) {}
    int Line() const { return line_; }  // 1-based line of malformed XML; 0 for other errors

  private:
    int line_;
};

// A library file of a version this program cannot read: adopting it as empty would let a later
// save overwrite the user's file.
class OidVersionError : public OidFileError {
  public:
    // fileName may be empty when the text did not come from a file.
    OidVersionError(const std::string& version, const std::string& fileName);
    const std::string& Version() const { return version_; }

  private:
    std::string version_;
};
