#include "import/modulenames.h"

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
    std::optional<Oid> oid = module.empty() ? OnlyOid(name) : OidIn(key.first, key.second);
    found_.emplace(key, oid);
    return oid;
}

void ModuleOidNames::Load(const std::string& module) {
    // The standard module first, as in every import: it gives the tree from iso down.
    if (parsed_.FilesParsed() == 0) Add(program_.standardModule, true, "the standard module");
    std::vector<std::pair<std::string, std::string>> pending{{module, ""}};  // module, its importer
    bool added = false;
    while (!pending.empty()) {
        const auto [name, importer] = pending.back();
        pending.pop_back();
        if (!tried_.insert(asciicase::Upper(name)).second) continue;
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
    if (added) found_.clear();  // a name without its module may have gained a definition
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

std::optional<Oid> ModuleOidNames::OidIn(const std::string& module, const std::string& name) const {
    const int scope = mib_.ModuleScope(module);
    const tmibentry* entry = scope < 0 ? nullptr : mib_.FindEntry(name, scope);
    // Looked for in the module first; a definition found elsewhere is not the module's.
    if (entry == nullptr || entry->Module != scope) return std::nullopt;
    return OidOf(*entry);
}

std::optional<Oid> ModuleOidNames::OnlyOid(std::string_view name) const {
    std::optional<Oid> only;
    for (int i = 0; i < mib_.EntryCount(); ++i) {
        if (mib_.EntryAt(i).Name != name) continue;
        std::optional<Oid> oid = OidOf(mib_.EntryAt(i));
        if (!oid) continue;
        if (only && *only != *oid) return std::nullopt;  // two OIDs: the name alone says not which
        only = std::move(oid);
    }
    return only;
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
