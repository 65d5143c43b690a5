#include "import/programfiles.h"

#include "text/paths.h"

ProgramFiles ProgramFilesIn(const std::string& programFolder, const std::string& standardFolder) {
    ProgramFiles files;
    files.standardFolder =
        JoinPath(standardFolder.empty() ? JoinPath(programFolder, "stdmib") : standardFolder, "");
    files.standardModule = files.standardFolder + "VELTRANE-STANDARD-MIB.mib";
    files.replaceList = JoinPath(programFolder, "replacelist.txt");
    return files;
}
