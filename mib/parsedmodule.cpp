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

void tmibfile::TakeModule(ParsedModule& parsed) {
    parsed.moduleName = ModuleName;
    parsed.importList = std::move(ImportList);
    parsed.importPositions = std::move(ImportPositions);
    parsed.records = symbols_.TakeRecords();
}

void tmibfile::AddModule(std::shared_ptr<const ParsedModule> parsed) {
    if (logging())
        for (const std::string& line : parsed->log) OnLog(*this, line);
    if (parsed->error) std::rethrow_exception(parsed->error);
    FileName = parsed->fileName;
    BeginModule(parsed->moduleName);
    // The scopes in the order the IMPORTS clauses create them, as the module parser does.
    for (std::size_t i = 0; i < parsed->importList.size(); ++i) {
        const std::string& line = parsed->importList[i];
        const std::size_t colon = line.find(':');
        symbols_.AddImport(line.substr(colon + 1), line.substr(0, colon));
        ImportList.push_back(line);
        ImportPositions.push_back(parsed->importPositions[i]);
        ImportFiles.push_back(parsed->fileName);
    }
    symbols_.AddRecords(std::shared_ptr<const ModuleRecords>(parsed, &parsed->records), Imported);
    DefinitionStart = true;
}
