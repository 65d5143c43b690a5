#include "mib/mibfile.h"

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

bool tmibfile::logging() const {
    return LogLevel > 1 && OnLog;
}
