// The record lists of tmibfile and the lookups the import driver walks them with.
#include <algorithm>
#include <unordered_set>

#include "mib/mibfile.h"
#include "text/asciicase.h"

namespace {

// Bounds a chain of modules that import a name from one another (a loop, or modules passing on
// names they import themselves).
constexpr int MaxImportHops = 8;

// The name part of a "name=value" line.
std::string_view lineKey(const std::string& line) {
    return std::string_view(line).substr(0, std::min(line.find('='), line.size()));
}

}  // namespace

int ItemIndex(const tasntype& type, const std::string& name) {
    for (size_t i = 0; i < type.Items.size(); ++i)
        if (lineKey(type.Items[i]) == name) return static_cast<int>(i);
    return -1;
}

std::string tmibentry::ClauseValue(const std::string& keyword) const {
    for (const std::string& line : Clauses) {
        const std::string_view key = lineKey(line);
        if (key.size() < line.size() && asciicase::EqualsIgnoringCase(key, keyword))
            return line.substr(key.size() + 1);
    }
    return {};
}

int tmibfile::findScoped(NameIndex ScopeNames::*names, const NameIndex& anywhere, const std::string& name,
                         int scope, bool anyCase) const {
    const auto importedFrom = [&](int from) {
        const auto found = scopes_[from].importedFrom.find(name);
        return found == scopes_[from].importedFrom.end() ? -1 : found->second;
    };
    for (int s = scope, hops = 0; s >= 0 && hops < MaxImportHops; s = importedFrom(s), ++hops)
        if (const int found = (scopes_[s].*names).Exact(name); found >= 0) return found;
    if (const int found = anywhere.Exact(name); found >= 0 || !anyCase) return found;
    for (int s = scope, hops = 0; s >= 0 && hops < MaxImportHops; s = importedFrom(s), ++hops)
        if (const int found = (scopes_[s].*names).AnyCase(name); found >= 0) return found;
    return anywhere.AnyCase(name);
}

const tmibentry* tmibfile::FindEntry(const std::string& name, int scope) const {
    const int index = findScoped(&ScopeNames::entries, entryNames_, name, scope, false);
    return index < 0 ? nullptr : entries_[index].get();
}

int tmibfile::EntryIndex(const std::string& name, int scope) const {
    return findScoped(&ScopeNames::entries, entryNames_, name, scope, true);
}

int tmibfile::TypeIndex(const std::string& name, int scope) const {
    return findScoped(&ScopeNames::types, typeNames_, name, scope, true);
}

int tmibfile::ModuleScope(const std::string& moduleName) const {
    const auto found = scopeByModule_.find(moduleName);
    return found == scopeByModule_.end() ? -1 : found->second;
}

int tmibfile::scopeFor(const std::string& moduleName) {
    const auto [found, added] = scopeByModule_.try_emplace(moduleName, static_cast<int>(scopes_.size()));
    if (added) scopes_.emplace_back();
    return found->second;
}

const tasntype* tmibfile::walkSyntax(const tmibentry& entry, std::string& value,
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

const tasntype* tmibfile::ResolveSyntaxType(const tmibentry& entry, std::string& value) const {
    return walkSyntax(entry, value, nullptr);
}

std::vector<const tasntype*> tmibfile::SyntaxChain(const tmibentry& entry) const {
    std::vector<const tasntype*> chain;
    std::string value;
    walkSyntax(entry, value, &chain);
    return chain;
}

std::string tmibfile::ResolveSyntax(const tmibentry& entry) const {
    std::string value;
    ResolveSyntaxType(entry, value);
    return value;
}

const tasntype* tmibfile::ResolveSyntaxType(const tmibentry& entry) const {
    std::string value;
    return ResolveSyntaxType(entry, value);
}

void tmibfile::addType(tasntype type) {
    const int index = static_cast<int>(types_.size());
    type.Module = currentScope_;
    types_.push_back(std::make_unique<tasntype>(std::move(type)));
    const std::string& name = types_.back()->Name;
    typeNames_.Add(name, index);
    if (currentScope_ >= 0) scopes_[currentScope_].types.Add(name, index);
    if (logging()) OnLog(*this, "Type: " + name);
}

void tmibfile::addEntry(std::unique_ptr<tmibentry> entry) {
    const int index = static_cast<int>(entries_.size());
    entry->Module = currentScope_;
    entries_.push_back(std::move(entry));
    const tmibentry& added = *entries_.back();
    entryNames_.Add(added.Name, index);
    if (currentScope_ >= 0) scopes_[currentScope_].entries.Add(added.Name, index);
    if (logging()) OnLog(*this, "Value: " + added.Name + " (" + added.Macro + ")");
}

bool tmibfile::logging() const {
    return LogLevel > 1 && OnLog;
}
