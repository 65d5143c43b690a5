#include "platform/windows/win32.h"

#include <cerrno>
#include <system_error>

#include "platform/fileerror.h"

namespace platform {

std::string ReasonOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return std::generic_category().message(ENOENT);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return std::generic_category().message(EACCES);
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return std::generic_category().message(EEXIST);
        case ERROR_FILENAME_EXCED_RANGE:
            return std::generic_category().message(ENAMETOOLONG);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return std::generic_category().message(ENOSPC);
        case ERROR_WRITE_PROTECT:
            return std::generic_category().message(EROFS);
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return std::generic_category().message(ENOMEM);
        default:
            return std::system_category().message(static_cast<int>(error));
    }
}

void FailWith(DWORD error) {
    throw FileError(ReasonOf(error));
}

bool IsDeviceName(const std::string& fileName) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    return fileName.size() >= 4 && separator(fileName[0]) && separator(fileName[1]) && fileName[2] == '.' &&
           separator(fileName[3]);
}

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                             0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length,
                          nullptr, nullptr);
    return utf8;
}

void Handle::Close() {
    if (!::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE))) FailWith(::GetLastError());
}

}  // namespace platform
