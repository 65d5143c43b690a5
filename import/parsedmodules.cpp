#include "import/parsedmodules.h"

const std::shared_ptr<const ParsedModule>& ParsedModules::Get(const std::string& fileName, bool first,
                                                              bool repair) {
    auto& parsed = parsed_[{fileName, first, repair}];
    if (!parsed) parsed = ParseModuleFile(fileName, first, scopes_, repair);
    return parsed;
}
