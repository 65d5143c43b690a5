#pragma once
// Writing a whole file so that a failure never leaves a damaged target, and a save can never be
// turned against the user: a link stays a link, and only a regular file is replaced.

#include <string>
#include <string_view>

// Replaces the content of fileName with bytes: a temporary file beside the target, synced and
// renamed over it, keeping the replaced file's owner, group (where the user may give them: as
// root) and permission bits; no temporary file outlives the call, and each save removes the
// temporary files that killed saves left in its folder.
// Symbolic links, in the folders of the path as in the file's own name, are followed only where
// the kernel's protected-symlinks rule would follow them (the link is the user's own, or its
// folder is not sticky and world-writable). Refused: such a link of another user, an existing
// target that is not a regular file (pipe, device, socket) and a read-only target.
// Throws OidFileError "Cannot create file \"NAME\". REASON".
// A file that does not exist yet holds nothing to lose: with NewFileSync::later it is written and
// renamed into place without waiting for the disk, and SyncFileSystemOf then waits once for many
// such files. A file that exists is always synced before it is replaced.
// A file of the program's own (the module index) is never reached through a link at its name:
// with LinkAtName::replaced such a link is replaced by the file.
enum class NewFileSync { now, later };
enum class LinkAtName { followed, replaced };
void SaveFileContent(const std::string& fileName, std::string_view bytes,
                     NewFileSync newFile = NewFileSync::now, LinkAtName linkAtName = LinkAtName::followed);

// Waits until everything written to the file system that holds folder is on the disk.
// Throws OidFileError naming folder when that fails.
void SyncFileSystemOf(const std::string& folder);
