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
    parsed.types = std::move(types_);
    parsed.entries = std::move(entries_);
    // One module parsed: its records are the one segment, numbered from 0.
    if (building_) parsed.names = std::move(*building_);
    segments_.clear();
    building_.reset();
    everyName_ = {};
}

void tmibfile::AddModule(std::shared_ptr<const ParsedModule> parsed) {
    if (logging())
        for (const std::string& line : parsed->log) OnLog(*this, line);
    if (parsed->error) std::rethrow_exception(parsed->error);
    FileName = parsed->fileName;
    ModuleName = parsed->moduleName;
    currentScope_ = scopeFor(ModuleName);
    scopes_[currentScope_].fileName = FileName;
    // The scopes in the order the IMPORTS clauses create them, as parseImports does.
    for (std::size_t i = 0; i < parsed->importList.size(); ++i) {
        const std::string& line = parsed->importList[i];
        const std::size_t colon = line.find(':');
        const int from = scopeFor(line.substr(0, colon));
        scopes_[currentScope_].importedFrom.try_emplace(line.substr(colon + 1), from);
        ImportList.push_back(line);
        ImportPositions.push_back(parsed->importPositions[i]);
        ImportFiles.push_back(parsed->fileName);
    }
    // The names index the parse's records, which the copies below keep in order.
    scopes_[currentScope_].segments.push_back(static_cast<int>(segments_.size()));
    segments_.push_back({static_cast<int>(types_.size()), static_cast<int>(entries_.size()),
                         std::shared_ptr<const ModuleNames>(parsed, &parsed->names)});
    building_.reset();
    types_.reserve(types_.size() + parsed->types.size());
    entries_.reserve(entries_.size() + parsed->entries.size());
    for (const auto& type : parsed->types) {
        if (type->Module == currentScope_) {
            types_.push_back(type);
        } else {
            auto copy = std::make_shared<tasntype>(*type);
            copy->Module = currentScope_;
            types_.push_back(std::move(copy));
        }
    }
    for (const auto& entry : parsed->entries) {
        if (entry->Module == currentScope_ && entry->Imported == Imported) {
            entries_.push_back(entry);
        } else {
            auto copy = std::make_shared<tmibentry>(*entry);
            copy->Module = currentScope_;
            copy->Imported = Imported;
            entries_.push_back(std::move(copy));
        }
    }
    if (everyName_.used) {
        const NameSegment& added = segments_.back();
        for (int i = added.firstType; i < TypeCount(); ++i) everyName_.names.types.Add(types_[i]->Name, i);
        for (int i = added.firstEntry; i < EntryCount(); ++i)
            everyName_.names.entries.Add(entries_[i]->Name, i);
    }
    DefinitionStart = true;
}
