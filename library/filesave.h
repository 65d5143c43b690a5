#pragma once
// Writing a whole file so that a failure never leaves a damaged target, and a save can never be
// turned against the user: a link stays a link, and only a regular file is replaced.

#include <string>
#include <string_view>

// Replaces the content of fileName with bytes: a temporary file beside the target, synced and
// renamed over it, keeping its permission bits; no temporary file outlives the call.
// A symbolic link is followed and the file it points to is replaced, but only where the kernel's
// protected-symlinks rule would follow it (the link is the user's own, or its folder is not
// sticky and world-writable). Refused: such a link of another user, an existing target that is
// not a regular file (pipe, device, socket) and a read-only target.
// Throws OidFileError "Cannot create file \"NAME\". REASON".
void SaveFileContent(const std::string& fileName, std::string_view bytes);
