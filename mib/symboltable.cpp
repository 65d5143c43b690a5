#include "mib/symboltable.h"

#include <unordered_set>

namespace {

// Bounds a chain of modules that import a name from one another (a loop, or modules passing on
// names they import themselves).
constexpr int MaxImportHops = 8;

}  // namespace

int SymbolTable::importedFrom(int scope, const std::string& name) const {
    const auto& importedFrom = scopes_.at(scope).importedFrom;
    const auto found = importedFrom.find(name);
    return found == importedFrom.end() ? -1 : found->second;
}

int SymbolTable::findScoped(NameIndex ModuleNames::*names, int NameSegment::*first, const std::string& name,
                            int scope, bool anyCase) const {
    for (const bool exact : {true, false}) {
        if (const int found = scope < 0 ? -1 : findInScopes(names, first, name, scope, exact); found >= 0)
            return found;
        if (const int found = findAnywhere(names, first, name, exact); found >= 0 || !anyCase) return found;
    }
    return -1;
}

int SymbolTable::findInScopes(NameIndex ModuleNames::*names, int NameSegment::*first, const std::string& name,
                              int scope, bool exact) const {
    for (int s = scope, hops = 0; s >= 0 && hops < MaxImportHops; s = importedFrom(s, name), ++hops)
        for (const int segment : scopes_.at(s).segments) {
            const NameIndex& index = (*segments_[segment].names).*names;
            if (const int found = exact ? index.Exact(name) : index.AnyCase(name); found >= 0)
                return segments_[segment].*first + found;
        }
    return -1;
}

// Each segment in turn while that is cheap; once that has cost as much as indexing every record,
// one index of every name, which storeType and storeEntry then keep up to date.
int SymbolTable::findAnywhere(NameIndex ModuleNames::*names, int NameSegment::*first, std::string_view name,
                              bool exact) const {
    EveryName& every = everyName_;
    if (!every.used) {
        every.segmentsAsked += segments_.size();
        if (every.segmentsAsked <= types_.size() + entries_.size()) {
            for (const NameSegment& segment : segments_) {
                const NameIndex& index = (*segment.names).*names;
                if (const int found = exact ? index.Exact(name) : index.AnyCase(name); found >= 0)
                    return segment.*first + found;
            }
            return -1;
        }
        every.used = true;
        for (int i = 0; i < TypeCount(); ++i) every.names.types.Add(types_[i]->Name, i);
        for (int i = 0; i < EntryCount(); ++i) every.names.entries.Add(entries_[i]->Name, i);
    }
    const NameIndex& index = every.names.*names;
    return exact ? index.Exact(name) : index.AnyCase(name);
}

const tmibentry* SymbolTable::FindEntry(const std::string& name, int scope) const {
    const int index = findScoped(&ModuleNames::entries, &NameSegment::firstEntry, name, scope, false);
    return index < 0 ? nullptr : entries_[index].get();
}

int SymbolTable::EntryIndex(const std::string& name, int scope) const {
    return findScoped(&ModuleNames::entries, &NameSegment::firstEntry, name, scope, true);
}

int SymbolTable::TypeIndex(const std::string& name, int scope) const {
    return findScoped(&ModuleNames::types, &NameSegment::firstType, name, scope, true);
}

int SymbolTable::ModuleScope(const std::string& moduleName) const {
    const auto found = scopeByModule_.find(moduleName);
    return found == scopeByModule_.end() ? -1 : found->second;
}

const std::string& SymbolTable::ModuleFile(int scope) const {
    static const std::string none;
    const auto found = scopes_.find(scope);
    return found == scopes_.end() ? none : found->second.fileName;
}

int SymbolTable::scopeFor(const std::string& moduleName) {
    const auto known = scopeByModule_.find(moduleName);
    if (known != scopeByModule_.end()) return known->second;
    const int scope =
        sharedScopes_ == nullptr
            ? static_cast<int>(scopeByModule_.size())
            : sharedScopes_->try_emplace(moduleName, static_cast<int>(sharedScopes_->size())).first->second;
    scopeByModule_.emplace(moduleName, scope);
    scopes_.try_emplace(scope);
    return scope;
}

const tasntype* SymbolTable::walkSyntax(const tmibentry& entry, std::string& value,
                                        std::vector<const tasntype*>* chain) const {
    value = entry.ClauseValue("SYNTAX");
    int scope = entry.Module;
    const tasntype* last = nullptr;
    std::unordered_set<int> visited;
    while (!value.empty() && value[0] != '@') {
        const int index = TypeIndex(value, scope);
        if (index < 0 || !visited.insert(index).second) return nullptr;
        last = types_[index].get();
        if (chain) chain->push_back(last);
        value = last->BaseType;
        scope = last->Module;
    }
    return value.empty() ? nullptr : last;
}

const tasntype* SymbolTable::ResolveSyntaxType(const tmibentry& entry, std::string& value) const {
    return walkSyntax(entry, value, nullptr);
}

std::vector<const tasntype*> SymbolTable::SyntaxChain(const tmibentry& entry) const {
    std::vector<const tasntype*> chain;
    std::string value;
    walkSyntax(entry, value, &chain);
    return chain;
}

std::string SymbolTable::ResolveSyntax(const tmibentry& entry) const {
    std::string value;
    ResolveSyntaxType(entry, value);
    return value;
}

const tasntype* SymbolTable::ResolveSyntaxType(const tmibentry& entry) const {
    std::string value;
    return ResolveSyntaxType(entry, value);
}

void SymbolTable::BeginModule(const std::string& moduleName, const std::string& fileName) {
    currentScope_ = scopeFor(moduleName);
    scopes_[currentScope_].fileName = fileName;
    building_.reset();
}

void SymbolTable::AddImport(const std::string& symbol, const std::string& fromModule) {
    const int from = scopeFor(fromModule);
    if (currentScope_ >= 0) scopes_.at(currentScope_).importedFrom.try_emplace(symbol, from);
}

const tasntype& SymbolTable::AddType(tasntype type) {
    type.Module = currentScope_;
    ModuleNames& names = namesBeingBuilt();
    const int index = static_cast<int>(types_.size());
    types_.push_back(std::make_shared<const tasntype>(std::move(type)));
    names.types.Add(types_.back()->Name, index - segments_.back().firstType);
    if (everyName_.used) everyName_.names.types.Add(types_.back()->Name, index);
    return *types_.back();
}

const tmibentry& SymbolTable::AddEntry(std::shared_ptr<tmibentry> entry) {
    entry->Module = currentScope_;
    ModuleNames& names = namesBeingBuilt();
    const int index = static_cast<int>(entries_.size());
    entries_.push_back(std::move(entry));
    names.entries.Add(entries_.back()->Name, index - segments_.back().firstEntry);
    if (everyName_.used) everyName_.names.entries.Add(entries_.back()->Name, index);
    return *entries_.back();
}

void SymbolTable::AddRecords(std::shared_ptr<const ModuleRecords> records, bool imported) {
    // The names index the records, which the copies below keep in order.
    scopes_[currentScope_].segments.push_back(static_cast<int>(segments_.size()));
    segments_.push_back({static_cast<int>(types_.size()), static_cast<int>(entries_.size()),
                         std::shared_ptr<const ModuleNames>(records, &records->names)});
    building_.reset();
    types_.reserve(types_.size() + records->types.size());
    entries_.reserve(entries_.size() + records->entries.size());
    for (const auto& type : records->types) {
        if (type->Module == currentScope_) {
            types_.push_back(type);
        } else {
            auto copy = std::make_shared<tasntype>(*type);
            copy->Module = currentScope_;
            types_.push_back(std::move(copy));
        }
    }
    for (const auto& entry : records->entries) {
        if (entry->Module == currentScope_ && entry->Imported == imported) {
            entries_.push_back(entry);
        } else {
            auto copy = std::make_shared<tmibentry>(*entry);
            copy->Module = currentScope_;
            copy->Imported = imported;
            entries_.push_back(std::move(copy));
        }
    }
    if (everyName_.used) {
        const NameSegment& added = segments_.back();
        for (int i = added.firstType; i < TypeCount(); ++i) everyName_.names.types.Add(types_[i]->Name, i);
        for (int i = added.firstEntry; i < EntryCount(); ++i)
            everyName_.names.entries.Add(entries_[i]->Name, i);
    }
}

ModuleRecords SymbolTable::TakeRecords() {
    ModuleRecords records{std::move(types_), std::move(entries_), {}};
    // One module stored: its records are the one segment, numbered from 0.
    if (building_) records.names = std::move(*building_);
    types_.clear();
    entries_.clear();
    segments_.clear();
    building_.reset();
    everyName_ = {};
    return records;
}

ModuleNames& SymbolTable::namesBeingBuilt() {
    if (building_ == nullptr) {
        building_ = std::make_shared<ModuleNames>();
        if (currentScope_ >= 0) scopes_[currentScope_].segments.push_back(static_cast<int>(segments_.size()));
        segments_.push_back({static_cast<int>(types_.size()), static_cast<int>(entries_.size()), building_});
    }
    return *building_;
}
