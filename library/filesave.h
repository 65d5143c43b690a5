#pragma once
// Writing a whole file so that a failure never leaves a damaged target, and a save never
// replaces what the target is: a link stays a link, a pipe or device stays what it was.

#include <string>
#include <string_view>

// Replaces the content of fileName with bytes. A symbolic link is followed and the file it
// points to is replaced; an existing target that is not a regular file (pipe, device, socket)
// is written directly; a regular or new file gets a temporary file beside it, synced and renamed
// over it, keeping its permission bits. No temporary file outlives the call.
// Throws OidFileError "Cannot create file \"NAME\". REASON".
void SaveFileContent(const std::string& fileName, std::string_view bytes);

// Truncates or creates fileName and writes bytes into it as they come: a failure midway leaves
// what was written. For generated files that nothing reads back. Throws as SaveFileContent does.
void WriteFileInPlace(const std::string& fileName, std::string_view bytes);
