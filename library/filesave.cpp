#include "library/filesave.h"

#include "library/oidfileerror.h"
#include "platform/fileerror.h"

void SaveFileContent(const std::string& fileName, std::string_view bytes, NewFileSync newFile,
                     LinkAtName linkAtName) {
    try {
        platform::SaveFile(fileName, bytes, newFile, linkAtName);
    } catch (const platform::FileError& error) {
        throw OidFileError("Cannot create file \"" + fileName + "\". " + error.what());
    }
}

void SyncFileSystemOf(const std::string& folder) {
    try {
        platform::SyncFileSystemOf(folder);
    } catch (const platform::FileError& error) {
        throw OidFileError("Cannot create file \"" + folder + "\". " + error.what());
    }
}
