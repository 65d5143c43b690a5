#include "import/mergeimport.h"

#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "library/namekey.h"
#include "library/oidfile.h"

namespace {

std::string AgentOf(const Toiddata& entry) {
    return SplitNameKey(entry.name).agent;
}

// One agent's object: no agent or OID holds a line break.
std::string KeyOf(const Toiddata& entry) {
    return AgentOf(entry) + '\n' + entry.oid;
}

std::string Counted(int count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::vector<std::string> MergeResult::ReportLines() const {
    std::vector<std::string> lines;
    if (kept + replaced > 0)
        lines.push_back("Entries: " + std::to_string(added) + " added, " + std::to_string(kept) +
                        " kept as they were in the library, " + std::to_string(replaced) +
                        " replaced by the import");
    if (removed > 0)
        lines.push_back(Counted(removed, "entry", "entries") +
                        " of the library with the OID of a replaced one removed");
    if (repeated > 0)
        lines.push_back(Counted(repeated, "entry", "entries") +
                        " the import made twice (same module and OID) added once");
    if (!noLongerDefined.empty()) {
        lines.push_back(Counted(int(noLongerDefined.size()), "entry", "entries") +
                        " of the library no longer defined by the MIB (left in the library):");
        for (const std::string& entry : noLongerDefined) lines.push_back("  " + entry);
    }
    return lines;
}

int CountExisting(const toidfile& library, const toidfile& imported) {
    std::unordered_set<std::string> libraryKeys, met;
    for (int i = 0; i < library.Count(); ++i) libraryKeys.insert(KeyOf(*library.Entries(i)));
    for (int i = 0; i < imported.Count(); ++i) {
        const std::string key = KeyOf(*imported.Entries(i));
        if (libraryKeys.contains(key)) met.insert(key);
    }
    return int(met.size());
}

MergeResult MergeImport(toidfile& library, toidfile& imported, ExistingChoice choice) {
    MergeResult result;
    // The import's entries by agent and OID, the first of a repeated one, in the import's order.
    std::vector<std::string> order;
    std::unordered_map<std::string, std::unique_ptr<Toiddata>> made;
    std::unordered_set<std::string> agents;
    for (std::unique_ptr<Toiddata>& entry : imported.TakeAll()) {
        const std::string key = KeyOf(*entry);
        agents.insert(AgentOf(*entry));
        if (made.contains(key)) {
            ++result.repeated;
            continue;
        }
        order.push_back(key);
        made.emplace(key, std::move(entry));
    }

    std::unordered_set<std::string> met;
    for (std::unique_ptr<Toiddata>& entry : library.TakeAll()) {
        const std::string key = KeyOf(*entry);
        const auto found = made.find(key);
        if (found == made.end()) {
            if (agents.contains(AgentOf(*entry)))
                result.noLongerDefined.push_back(entry->name + " (" + entry->oid + ")");
            library.Add(std::move(entry));
            continue;
        }
        const bool first = met.insert(key).second;
        if (choice == ExistingChoice::Keep) {
            if (first) ++result.kept;
            library.Add(std::move(entry));
        } else if (first) {
            ++result.replaced;
            library.Add(std::move(found->second));
        } else {
            ++result.removed;
        }
    }
    for (const std::string& key : order) {
        if (met.contains(key)) continue;
        ++result.added;
        library.Add(std::move(made[key]));
    }
    return result;
}
