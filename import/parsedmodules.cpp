#include "import/parsedmodules.h"

const std::shared_ptr<const ParsedModule>& ParsedModules::Get(const std::string& fileName, bool first) {
    auto& parsed = parsed_[{fileName, first}];
    if (!parsed) parsed = ParseModuleFile(fileName, first, scopes_);
    return parsed;
}
