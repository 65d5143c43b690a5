#pragma once
// Replacing a whole file so that a failure never leaves a damaged target, on POSIX and on Windows.

#include <string>
#include <string_view>

namespace platform {

// A file that does not exist yet holds nothing to lose: with NewFileSync::later it may be renamed
// into place before it reaches the disk, and SyncFileSystemOf then waits once for many such files.
enum class NewFileSync { now, later };
// A file of the program's own (the module index) is never reached through a link at its name:
// with LinkAtName::replaced such a link is replaced by the file.
enum class LinkAtName { followed, replaced };

// Writes bytes to a temporary file in the target's folder, flushes it and puts it in the target's
// place in one step, keeping the replaced file's attributes; no temporary file outlives the call,
// and each save removes the temporary files that killed saves left in its folder. Refused: an
// existing target that is not a regular file (folder, pipe, device, socket) and a read-only one.
// On POSIX: owner, group and mode are kept (owner and group where the user may give them: as root);
// symbolic links, in the folders of the path as in the file's own name, are followed only where
// the kernel's protected-symlinks rule would follow them. Throws FileError.
void SaveFile(const std::string& fileName, std::string_view bytes, NewFileSync newFile,
              LinkAtName linkAtName);

// Waits until everything saved on the file system that holds folder is on the disk. Throws FileError.
void SyncFileSystemOf(const std::string& folder);

}  // namespace platform
