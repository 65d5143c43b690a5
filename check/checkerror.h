#pragma once
// The one error type of the device check: why a capture or an agent could not be read.

#include <stdexcept>
#include <string>

enum class CheckFailure {
    unreadable,
    badSettings,
    unknownHost,
    timeout,
    authentication,
    agentError,
    cancelled
};

// A check that could not read its source; what() is the message to show, free of secrets.
class CheckError : public std::runtime_error {
  public:
    CheckError(CheckFailure failure, const std::string& message)
        : std::runtime_error(message), failure_(failure) {}
    CheckFailure Failure() const { return failure_; }

  private:
    CheckFailure failure_;
};
