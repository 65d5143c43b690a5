#include "library/oidfileerror.h"

OidVersionError::OidVersionError(const std::string& version, const std::string& fileName)
    : OidFileError("Cannot read the library" + (fileName.empty() ? "" : " \"" + fileName + "\"") +
                   ": its version is \"" + version + "\", this program reads version 1."),
      version_(version) {}
