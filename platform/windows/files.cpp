#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "platform/fileerror.h"
#include "platform/paths.h"
#include "platform/windows/win32.h"

namespace platform {

namespace {

// Refuses an open handle that is no disk file: "It is a named pipe, not a regular file". A reserved
// name such as "NUL" or "C:\mibs\con.mib" opens the device it names, which GetFileType tells.
void RefuseOther(HANDLE handle) {
    const DWORD type = ::GetFileType(handle);
    if (type == FILE_TYPE_DISK) return;
    const char* kind = type == FILE_TYPE_PIPE   ? "a named pipe"
                       : type == FILE_TYPE_CHAR ? "a device"
                                                : "no regular file";
    throw FileError(std::string("It is ") + kind + ", not a regular file");
}

// FILETIME counts 100 ns from 1601; the stamps count nanoseconds from 1970.
std::uint64_t Nanoseconds(std::int64_t ticks) {
    constexpr std::int64_t ticksFrom1601To1970 = 116444736000000000;
    return static_cast<std::uint64_t>(std::max<std::int64_t>(ticks - ticksFrom1601To1970, 0)) * 100;
}

}  // namespace

InputFile::InputFile(const std::string& fileName) {
    if (IsDeviceName(fileName)) throw FileError("It is a device, not a regular file");
    const std::wstring name = PathOf(fileName).wstring();
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        throw FileError(std::generic_category().message(EISDIR));
    Handle file(::CreateFileW(name.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) FailWith(::GetLastError());
    RefuseOther(file.Get());
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.Get(), &size)) FailWith(::GetLastError());
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    handle_ = reinterpret_cast<std::intptr_t>(file.Get());
    file.Release();
}

InputFile::~InputFile() {
    ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::size_t InputFile::Read(char* into, std::size_t size) {
    DWORD read = 0;
    const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!::ReadFile(reinterpret_cast<HANDLE>(handle_), into, asked, &read, nullptr))
        FailWith(::GetLastError());
    return read;
}

bool StampOf(const std::string& fileName, FileStamp& stamp) {
    // No access asked: the stamp of a file another program holds open can still be read.
    Handle file(::CreateFileW(PathOf(fileName).wstring().c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    FILE_BASIC_INFO times;
    if (!file.Valid() || !::GetFileInformationByHandle(file.Get(), &information) ||
        !::GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &times, sizeof times))
        return false;
    stamp = {std::uint64_t{information.nFileSizeHigh} << 32 | information.nFileSizeLow,
             Nanoseconds(times.LastWriteTime.QuadPart), Nanoseconds(times.ChangeTime.QuadPart),
             std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow};
    return true;
}

}  // namespace platform
