#include "mib/parsedmodule.h"

#include "mib/mibfile.h"

std::shared_ptr<const ParsedModule> ParseModuleFile(const std::string& fileName, bool first,
                                                    std::shared_ptr<SharedScopes> scopes) {
    auto parsed = std::make_shared<ParsedModule>();
    parsed->fileName = fileName;
    tmibfile mib;
    mib.ShareScopes(std::move(scopes));
    mib.Imported = true;
    mib.LogLevel = 2;
    mib.OnLog = [&parsed](tmibfile&, const std::string& line) { parsed->log.push_back(line); };
    // A module parsed after another starts where ParseModule leaves the lexer.
    mib.Lexer().DefinitionStart = !first;
    try {
        mib.LoadFile(fileName);
        mib.ParseModule();
        mib.TakeModule(*parsed);
    } catch (...) {
        parsed->error = std::current_exception();
    }
    return parsed;
}
