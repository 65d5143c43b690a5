#include "mib/mibfile.h"

#include "mib/parsedmodule.h"
#include "mib/typeparser.h"

void tmibfile::ParseModule() {
    ModuleParser(Lexer(), *this).Parse();
}

tasntype tmibfile::ParseType(const std::string& name) {
    return TypeParser(Lexer()).Parse(name);
}

std::string tmibfile::ImportModule(std::size_t line) const {
    return ImportList[line].substr(0, ImportList[line].find(':'));
}

void tmibfile::BeginModule(const std::string& moduleName) {
    ModuleName = moduleName;
    symbols_.BeginModule(ModuleName, FileName);
}

void tmibfile::AddImport(const std::string& module, const std::string& symbol, int32_t position) {
    symbols_.AddImport(symbol, module);
    ImportList.push_back(module + ":" + symbol);
    ImportPositions.push_back(std::to_string(position));
    ImportFiles.push_back(FileName);
}

void tmibfile::AddType(tasntype type) {
    const tasntype& added = symbols_.AddType(std::move(type));
    if (logging()) OnLog(*this, "Type: " + added.Name);
}

void tmibfile::AddEntry(std::shared_ptr<tmibentry> entry) {
    entry->Imported = Imported;
    const tmibentry& added = symbols_.AddEntry(std::move(entry));
    if (logging()) OnLog(*this, "Value: " + added.Name + " (" + added.Macro + ")");
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

bool tmibfile::logging() const {
    return LogLevel > 1 && OnLog;
}
