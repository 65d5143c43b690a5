#pragma once
// Writing a whole file so that a failure never leaves a damaged target, and a save can never be
// turned against the user: a link stays a link, and only a regular file is replaced.

#include <string>
#include <string_view>

#include "platform/filesave.h"

using platform::LinkAtName;
using platform::NewFileSync;

// Replaces the content of fileName with bytes as platform::SaveFile does: the target is replaced
// in one step or not at all, keeping the replaced file's attributes; links are followed only where
// the protected-symlinks rule allows, in the folders of the path as in the file's name (POSIX);
// refused are an existing target that is not a regular file (pipe, device, socket) and a read-only
// one. Throws OidFileError "Cannot create file \"NAME\". REASON".
// A file that does not exist yet holds nothing to lose: with NewFileSync::later it is written and
// renamed into place without waiting for the disk, and SyncFileSystemOf then waits once for many
// such files. A file that exists is always synced before it is replaced.
// A file of the program's own (the module index) is never reached through a link at its name:
// with LinkAtName::replaced such a link is replaced by the file.
void SaveFileContent(const std::string& fileName, std::string_view bytes,
                     NewFileSync newFile = NewFileSync::now, LinkAtName linkAtName = LinkAtName::followed);

// Waits until everything written to the file system that holds folder is on the disk.
// Throws OidFileError naming folder when that fails.
void SyncFileSystemOf(const std::string& folder);
