#include "platform/filesave.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/fileerror.h"
#include "platform/paths.h"
#include "platform/temporarynames.h"
#include "platform/windows/win32.h"

// Windows keeps no protected-symlinks rule, and the user's own folders (%LOCALAPPDATA%) are
// closed to other users by their access lists: links are followed as the system follows them.

namespace platform {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(int error) {
    throw FileError(std::generic_category().message(error));
}

// Whether target names an existing file to replace; refuses what is no regular, writable file.
bool ExistingFile(const fs::path& target) {
    Handle existing(::CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!existing.Valid()) {
        const DWORD error = ::GetLastError();
        // A missing folder is told by the temporary file's creation.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
        FailWith(error);
    }
    // A reserved name ("NUL", "C:\libs\con.oidlib") opens the device it names.
    if (::GetFileType(existing.Get()) != FILE_TYPE_DISK) throw FileError("It is not a regular file");
    BY_HANDLE_FILE_INFORMATION information;
    if (!::GetFileInformationByHandle(existing.Get(), &information)) FailWith(::GetLastError());
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) Fail(EISDIR);
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0)
        throw FileError("The file is read-only");
    return true;
}

// A temporary file that a running save holds open is shared with no one and so cannot be opened
// for deletion; one that can was left by a save that was killed, and goes when closed.
void RemoveStaleTemporaries(const fs::path& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((folder / L".oidwright-*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0 ||
            !IsTemporaryName(Utf8(found.cFileName)))
            continue;
        const Handle stale(::CreateFileW((folder / found.cFileName).c_str(), DELETE, 0, nullptr,
                                         OPEN_EXISTING,
                                         FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// A new temporary file in folder, shared with no one, deleted unless it has been put in place.
class TemporaryFile {
  public:
    explicit TemporaryFile(const fs::path& folder) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = folder / PathOf(TemporaryName());
            file_ = ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
            if (file_ != INVALID_HANDLE_VALUE) return;
            if (::GetLastError() != ERROR_FILE_EXISTS) break;
        }
        FailWith(::GetLastError());
    }
    ~TemporaryFile() {
        if (file_ != INVALID_HANDLE_VALUE) ::CloseHandle(file_);
        if (!placed_) ::DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Flushed always: see SyncFileSystemOf.
    void Write(std::string_view bytes) {
        for (std::size_t written = 0; written < bytes.size();) {
            DWORD n = 0;
            const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
            if (!::WriteFile(file_, bytes.data() + written, asked, &n, nullptr)) FailWith(::GetLastError());
            written += n;
        }
        if (!::FlushFileBuffers(file_)) FailWith(::GetLastError());
        if (!::CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE))) FailWith(::GetLastError());
    }

    // ReplaceFileW gives the new file the replaced one's attributes, access list and creation time.
    void PutInPlaceOf(const fs::path& target, bool exists) {
        bool done = exists && ::ReplaceFileW(target.c_str(), path_.c_str(), nullptr,
                                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
        // A target gone since it was looked at is simply a new file.
        if (!done && (!exists || ::GetLastError() == ERROR_FILE_NOT_FOUND))
            done = ::MoveFileExW(path_.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!done) FailWith(::GetLastError());
        placed_ = true;
    }

  private:
    fs::path path_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool placed_ = false;
};

}  // namespace

void SaveFile(const std::string& fileName, std::string_view bytes, NewFileSync, LinkAtName) {
    if (fileName.empty()) Fail(ENOENT);
    if (IsDeviceName(fileName)) throw FileError("It is not a regular file");
    const fs::path target = PathOf(fileName);
    if (fileName.back() == '/' || fileName.back() == '\\') Fail(EISDIR);
    const bool exists = ExistingFile(target);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(L".");
    RemoveStaleTemporaries(folder);
    TemporaryFile file(folder);
    file.Write(bytes);
    file.PutInPlaceOf(target, exists);
}

// Flushing a whole volume takes administrator rights on Windows, so every save flushes its own
// file (NewFileSync::later included) and nothing is left to wait for here.
void SyncFileSystemOf(const std::string& folder) {
    const DWORD attributes = ::GetFileAttributesW(PathOf(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) FailWith(::GetLastError());
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) Fail(ENOTDIR);
}

}  // namespace platform
