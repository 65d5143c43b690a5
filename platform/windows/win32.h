#pragma once
// What the Windows implementation shares: error reasons, UTF-8 and wide text, names, handles.

#include <windows.h>

#include <filesystem>
#include <string>
#include <utility>

namespace platform {

// The reason for a Windows error as the POSIX build words it where one matches ("No such file or
// directory" for ERROR_FILE_NOT_FOUND and ERROR_PATH_NOT_FOUND), else Windows' own text.
std::string ReasonOf(DWORD error);

// Throws FileError with ReasonOf(error).
[[noreturn]] void FailWith(DWORD error);

// Whether a name lies in the device namespace ("\\.\COM1", "\\.\pipe\name"), which holds no files:
// opening one may wait or act.
bool IsDeviceName(const std::string& fileName);

// The wide form of a UTF-8 text, and back: "café" -> L"café".
std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& text);

// A handle that is closed when it goes.
class Handle {
  public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() {
        if (Valid()) ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    // Closing is where a failed write may show.
    void Close();
    // Hands the handle over: it is no longer closed here.
    HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

  private:
    HANDLE handle_;
};

}  // namespace platform
