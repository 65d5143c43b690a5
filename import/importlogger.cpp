#include "import/importlogger.h"

#include "library/oidfile.h"

ImportLogger LibraryLogger(toidfile& library) {
    ImportLogger logger;
    if (library.OnLog) logger.OnLine = [&library](const std::string& line) { library.Log(line); };
    if (library.OnModuleSearch)
        logger.OnModuleSearch = [&library](const std::string& module, const std::string& file) {
            library.ReportModuleSearch(module, file);
        };
    logger.Level = library.LogLevel;
    return logger;
}
