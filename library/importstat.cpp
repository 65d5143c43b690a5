#include "library/importstat.h"

#include <algorithm>

void timportstat::Clear() {
    IncludedFiles.Clear();
    MissingFiles.Clear();
    ResolvedOids.Clear();
    PartialOids.Clear();
    NotFoundOids.Clear();
    UsefulOids.Clear();
    NoEntryObjects = 0;
    Repairs.clear();
    IncompleteCauses.clear();
}

void AddIncompleteCause(std::vector<std::string>& causes, const std::string& cause) {
    if (std::find(causes.begin(), causes.end(), cause) == causes.end()) causes.push_back(cause);
}

void timportstat::AddFile(const std::string& module, bool found) {
    (found ? IncludedFiles : MissingFiles).Set(module, "1");
}

void timportstat::AddOid(const std::string& key, const std::string& value, int outcome) {
    switch (outcome) {
        case oidUseful:
            UsefulOids.Set(key, value);
            break;
        case oidResolved:
            ResolvedOids.Set(key, value);
            break;
        case oidPartial:
            PartialOids.Set(key, value);
            break;
        default:
            NotFoundOids.Set(key, value);
            break;
    }
}

namespace {

void AppendPairs(std::vector<std::string>& lines, const KeyedList& list) {
    for (const KeyedList::Line& line : list.Lines()) lines.push_back("  - " + line.key + " -> " + line.value);
}

}  // namespace

void timportstat::WriteReport(std::vector<std::string>& lines) const {
    const auto count = [](const KeyedList& list) { return std::to_string(list.Count()); };
    lines.emplace_back();
    lines.push_back("Report for " + ReportFile + ":");
    lines.push_back("Sucessfully included files: " + count(IncludedFiles) + " of " +
                    std::to_string(IncludedFiles.Count() + MissingFiles.Count()));
    if (!MissingFiles.Empty()) {
        lines.push_back("Import files/modules that could not be found: " + count(MissingFiles));
        for (const KeyedList::Line& line : MissingFiles.Lines()) lines.push_back("  - " + line.key);
    }
    lines.push_back("Sucessfully imported OIDs: " + count(ResolvedOids) + " of " +
                    std::to_string(ResolvedOids.Count() + PartialOids.Count()));
    if (!PartialOids.Empty()) {
        lines.push_back("OIDs that could not be completely resolved: " + count(PartialOids));
        AppendPairs(lines, PartialOids);
    }
    if (!NotFoundOids.Empty()) {
        lines.push_back("OIDs that could not be found at all: " + count(NotFoundOids));
        AppendPairs(lines, NotFoundOids);
    }
    lines.push_back("OIDs that were useful for Zelto: " + count(UsefulOids));
    if (!Repairs.empty())
        lines.push_back("Faults repaired: " + std::to_string(Repairs.size()) +
                        " (each one is named in the log)");
}
