#include "import/repairhint.h"

#include <string_view>

#include "import/importlogger.h"
#include "import/importmib.h"
#include "library/oidfile.h"
#include "mib/parseexception.h"

namespace {

constexpr std::string_view HintStart = "it imports with --repair (Import > Repair Common Faults): ";

}  // namespace

std::string RepairHintOf(const eparseexception& error) {
    for (const std::string& line : error.Details)
        if (line.starts_with(HintStart)) return line;
    return "";
}

void AddRepairHint(eparseexception& error, const std::string& fileName, const std::string& workingFolder,
                   const std::string& secondFolder, const ProgramFiles& program, ModuleHeaders& headers,
                   ParsedModules* parsed, ImportOptions options) {
    options.repair = true;
    toidfile repaired;
    try {
        ImportMib(repaired, ImportLogger(), fileName, workingFolder, secondFolder, program, headers, parsed,
                  options);
    } catch (const std::exception&) {
        return;  // repairs do not get it through either: the error is all there is to say
    }
    const std::size_t count = repaired.ImportStats.Repairs.size();
    error.Details.push_back(std::string(HintStart) + std::to_string(count) +
                            (count == 1 ? " repair" : " repairs"));
}
