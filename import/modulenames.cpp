#include "import/modulenames.h"

#include <algorithm>
#include <charconv>

#include "import/modulelocator.h"
#include "import/parentchain.h"
#include "mib/sourcetext.h"
#include "text/asciicase.h"

ModuleOidNames::ModuleOidNames(std::vector<std::string> searched, std::string mibFolder, ProgramFiles program)
    : searched_(std::move(searched)), mibFolder_(std::move(mibFolder)), program_(std::move(program)) {
    mib_.ShareScopes(parsed_.Scopes());
}

std::optional<Oid> ModuleOidNames::Find(std::string_view module, std::string_view name) {
    const std::pair<std::string, std::string> key(module, name);
    if (const auto known = found_.find(key); known != found_.end()) return known->second;
    if (!module.empty()) {
        Load(key.first);
    } else if (!searchedLoaded_) {
        searchedLoaded_ = true;
        for (const std::string& searched : searched_) Load(searched);
    }
    const tmibentry* entry = Named(key.first, key.second);
    std::optional<Oid> oid = entry != nullptr ? OidOf(*entry) : std::nullopt;
    found_.emplace(key, oid);
    return oid;
}

std::optional<InstanceIndexes> ModuleOidNames::IndexesAfter(std::string_view module, std::string_view name) {
    const std::pair<std::string, std::string> key(module, name);
    if (const auto known = indexes_.find(key); known != indexes_.end()) return known->second;
    if (!Find(module, name)) return std::nullopt;  // loads the modules the name needs
    std::optional<InstanceIndexes> indexes = IndexesOf(*Named(key.first, key.second));
    indexes_.emplace(key, indexes);
    return indexes;
}

void ModuleOidNames::Load(const std::string& module) {
    // The standard module first, as in every import: it gives the tree from iso down.
    if (parsed_.FilesParsed() == 0) Add(program_.standardModule, true, "the standard module");
    std::vector<std::pair<std::string, std::string>> pending{{module, ""}};  // module, its importer
    bool added = false;
    while (!pending.empty()) {
        const auto [name, importer] = pending.back();
        pending.pop_back();
        if (!IsMibName(name) || !tried_.insert(asciicase::Upper(name)).second) continue;
        std::string file = LocateModule(searchLog_, name, mibFolder_, headers_);
        if (file.empty()) file = LocateModule(searchLog_, name, program_.standardFolder, headers_);
        if (file.empty()) {
            problems_.push_back(name + (importer.empty() ? "" : ", imported by " + importer + ",") +
                                " is in neither " + mibFolder_ + " nor " + program_.standardFolder +
                                ": its names are not read");
            continue;
        }
        const std::size_t imports = mib_.ImportList.size();
        if (!Add(file, false, name)) continue;
        added = true;
        for (std::size_t i = imports; i < mib_.ImportList.size(); ++i)
            pending.emplace_back(mib_.ImportModule(i), name);
    }
    if (added) {  // a name without its module may have gained a definition
        found_.clear();
        indexes_.clear();
    }
}

bool ModuleOidNames::Add(const std::string& file, bool first, const std::string& module) {
    try {
        mib_.AddModule(parsed_.Get(file, first));
        return true;
    } catch (const eparseexception& error) {
        problems_.push_back(PositionedMessage(error) + " (the names of " + module + " are not read)");
    } catch (const MibFileError& error) {
        problems_.push_back(std::string(error.what()) + " (the names of " + module + " are not read)");
    }
    return false;
}

std::optional<Oid> ModuleOidNames::OidOf(const tmibentry& entry) const {
    const ParentChain chain = WalkParents(mib_, entry);
    if (!chain.rooted) return std::nullopt;
    Oid oid{1};  // iso
    for (auto member = chain.members.rbegin(); member != chain.members.rend(); ++member)
        for (std::size_t i = 1; i < (*member)->OidParts.size(); ++i)
            oid.push_back((*member)->OidParts[i].number);
    return oid;  // a rooted walk has at most MaxOidArcs arcs
}

const tmibentry* ModuleOidNames::Named(const std::string& module, const std::string& name) const {
    if (!module.empty()) {
        const int scope = mib_.ModuleScope(module);
        const tmibentry* entry = scope < 0 ? nullptr : mib_.FindEntry(name, scope);
        // Looked for in the module first; a definition found elsewhere is not the module's.
        return entry != nullptr && entry->Module == scope ? entry : nullptr;
    }
    const tmibentry* only = nullptr;
    std::optional<Oid> onlyOid;
    for (int i = 0; i < mib_.EntryCount(); ++i) {
        if (mib_.EntryAt(i).Name != name) continue;
        std::optional<Oid> oid = OidOf(mib_.EntryAt(i));
        if (!oid) continue;
        if (only != nullptr && *onlyOid != *oid) return nullptr;  // two OIDs: the name alone says not which
        if (only == nullptr) {
            only = &mib_.EntryAt(i);
            onlyOid = std::move(oid);
        }
    }
    return only;
}

namespace {

bool IsRow(const tmibentry& entry) {
    return !entry.Augments.empty() || !entry.ClauseValue("INDEX").empty();
}

}  // namespace

std::optional<InstanceIndexes> ModuleOidNames::IndexesOf(const tmibentry& named) const {
    InstanceIndexes indexes;
    const tmibentry* row = nullptr;
    if (IsRow(named)) {
        row = &named;
        indexes.afterRow = true;
    } else if (!named.OidParts.empty()) {
        row = mib_.FindEntry(named.OidParts[0].name, named.Module);
        if (row != nullptr && !IsRow(*row)) row = nullptr;
    }
    // A row that AUGMENTS another has that row's indexes; a loop of them gives up.
    for (int step = 0; row != nullptr && !row->Augments.empty(); ++step)
        row = step < 8 ? mib_.FindEntry(row->Augments, row->Module) : nullptr;
    if (row == nullptr) return std::nullopt;
    const std::string names = row->ClauseValue("INDEX");  // "ifIndex,ipv4,..." (IMPLIED is not kept)
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t comma = std::min(names.find(',', start), names.size());
        const tmibentry* object = mib_.FindEntry(names.substr(start, comma - start), row->Module);
        indexes.types.push_back(object != nullptr ? IndexTypeOf(*object) : IndexType());
        start = comma + 1;
    }
    return indexes;
}

IndexType ModuleOidNames::IndexTypeOf(const tmibentry& object) const {
    using Kind = IndexType::Kind;
    IndexType type;
    const std::string written = object.ClauseValue("SYNTAX");
    const std::vector<const tasntype*> chain = mib_.SyntaxChain(object);
    const auto named = [&](const char* typeName) {
        return written == typeName || std::any_of(chain.begin(), chain.end(),
                                                  [&](const tasntype* t) { return t->Name == typeName; });
    };
    const std::string base = mib_.ResolveSyntax(object);
    if (named("IpAddress"))
        type.kind = Kind::ipAddress;
    else if (named("NetworkAddress"))
        type.kind = Kind::networkAddress;
    else if (base == "@integer" || base == "@gauge" || base == "@counter")
        type.kind = Kind::number;
    else if (base == "@string")  // net-snmp reads an address out of InetAddress itself, not of its kin
        type.kind = written == "InetAddress" ? Kind::inetAddress : Kind::string;
    else if (base == "@objectid")
        type.kind = Kind::objectId;
    const auto* namedNumbers = &object.Syntax.namedNumbers;
    for (const tasntype* t : chain)
        if (namedNumbers->empty()) namedNumbers = &t->Detail.namedNumbers;
    // A number beyond 64 bits names no index arc.
    for (const auto& [label, number] : *namedNumbers) {
        std::int64_t value = 0;
        const char* end = number.data() + number.size();
        if (const auto read = std::from_chars(number.data(), end, value);
            read.ec == std::errc() && read.ptr == end)
            type.labels.emplace_back(label, value);
    }
    return type;
}

std::vector<std::string> LibraryModules(const toidfile& library) {
    std::vector<std::string> modules;
    std::unordered_set<std::string> seen;
    for (int i = 0; i < library.Count(); ++i) {
        const std::string& name = library.Entries(i)->name;
        std::string agent = name.substr(0, name.find('|'));
        if (!agent.empty() && seen.insert(asciicase::Upper(agent)).second)
            modules.push_back(std::move(agent));
    }
    return modules;
}
