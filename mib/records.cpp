// The record lists of tmibfile and the lookups the import driver walks them with.
#include <algorithm>
#include <unordered_set>

#include "text/asciicase.h"
#include "mib/mibfile.h"

namespace {

// The name part of a "name=value" line.
std::string_view lineKey(const std::string& line) {
    return std::string_view(line).substr(0, std::min(line.find('='), line.size()));
}

int lookup(const std::unordered_map<std::string, int>& index, const std::string& key) {
    auto it = index.find(key);
    return it == index.end() ? -1 : it->second;
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
        if (key.size() < line.size() && asciicase::equalsIgnoringCase(std::string(key), keyword))
            return line.substr(key.size() + 1);
    }
    return {};
}

const tmibentry* tmibfile::FindEntry(const std::string& name) const {
    const int index = lookup(entryByName_, name);
    return index < 0 ? nullptr : entries_[index].get();
}

int tmibfile::EntryIndex(const std::string& name) const {
    return lookup(entryByUpper_, asciicase::upper(name));
}

int tmibfile::TypeIndex(const std::string& name) const {
    return lookup(typeByLower_, asciicase::lower(name));
}

const tasntype* tmibfile::followSyntax(const tmibentry& entry, std::string& value) const {
    value = entry.ClauseValue("SYNTAX");
    const tasntype* last = nullptr;
    std::unordered_set<int> visited;
    while (!value.empty() && value[0] != '@') {
        const int index = TypeIndex(value);
        if (index < 0 || !visited.insert(index).second) return nullptr;
        last = types_[index].get();
        value = last->BaseType;
    }
    return value.empty() ? nullptr : last;
}

std::string tmibfile::ResolveSyntax(const tmibentry& entry) const {
    std::string value;
    followSyntax(entry, value);
    return value;
}

const tasntype* tmibfile::ResolveSyntaxType(const tmibentry& entry) const {
    std::string value;
    return followSyntax(entry, value);
}

void tmibfile::addType(tasntype type) {
    const int index = static_cast<int>(types_.size());
    typeByLower_.emplace(asciicase::lower(type.Name), index);
    types_.push_back(std::make_unique<tasntype>(std::move(type)));
    log("Type: " + types_.back()->Name);
}

void tmibfile::addEntry(std::unique_ptr<tmibentry> entry) {
    const int index = static_cast<int>(entries_.size());
    entryByName_.emplace(entry->Name, index);
    entryByUpper_.emplace(asciicase::upper(entry->Name), index);
    entries_.push_back(std::move(entry));
    const tmibentry& added = *entries_.back();
    log("Value: " + added.Name + " (" + added.Macro + ")");
}

void tmibfile::log(const std::string& message) {
    if (LogLevel > 1 && OnLog) OnLog(*this, message);
}
