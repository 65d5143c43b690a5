#include "import/parsedmodules.h"

const std::shared_ptr<const ParsedModule>& ParsedModules::Get(const std::string& fileName, bool first,
                                                              bool repair) {
    Parse& parse = parsed_[{fileName, first, repair}];
    if (!parse.module) {
        parse.module = ParseModuleFile(fileName, first, scopes_, repair);
        ++filesParsed_;
    }
    ++parse.uses;
    return parse.module;
}

const ParsedModule* ParsedModules::Kept(const std::string& fileName, bool repair) const {
    const auto parse = parsed_.find({fileName, false, repair});
    return parse == parsed_.end() ? nullptr : parse->second.module.get();
}

void ParsedModules::ReleaseUnshared(const std::string& fileName, bool repair) {
    const auto parse = parsed_.find({fileName, false, repair});
    if (parse != parsed_.end() && parse->second.uses <= 1) parsed_.erase(parse);
}
