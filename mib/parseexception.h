#pragma once
// Errors of the MIB parser: a positioned parse error and a file that cannot be read.

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

// A parse error with the file it happened in and the 1-based character position in its text.
class eparseexception : public std::exception {
  public:
    eparseexception(std::string message, std::string fileName, int32_t position)
        : Message(std::move(message)), FileName(std::move(fileName)), Position(position) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
    std::string FileName;
    int32_t Position = 0;
    std::vector<std::string> Details;  // lines shown under the message, such as every missing module
};

// A module file that cannot be opened or read; the message names the file and the reason.
class MibFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
