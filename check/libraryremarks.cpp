#include "check/libraryremarks.h"

#include <algorithm>
#include <map>
#include <string>

#include "check/entrycheck.h"
#include "library/oidfile.h"
#include "text/asciicase.h"

namespace {

// The answers at an entry's OID or below it.
std::vector<AnswerType> AnsweredTypes(const Toiddata& entry, const DeviceAnswers& answers) {
    const std::optional<Oid> oid = ParseOid(entry.oid);
    if (!oid) return {};
    if (const AnswerType* exact = answers.Find(*oid)) return {*exact};
    return answers.Below(*oid).types;
}

bool Has(const std::vector<AnswerType>& types, AnswerType type) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

// The last part of a name, in lower case with blanks dropped and, for a 64-bit counter, the
// word "hc" taken out: "IF-MIB|ifx: #[...]|if hc in octets" -> "ifinoctets".
std::string CounterName(const std::string& name, bool dropHc) {
    std::string last = name.substr(name.rfind('|') + 1);
    std::string key;
    for (std::size_t start = 0; start < last.size();) {
        std::size_t end = last.find(' ', start);
        if (end == std::string::npos) end = last.size();
        std::string word = last.substr(start, end - start);
        if (!(dropHc && asciicase::EqualsIgnoringCase(word, "hc")))
            for (const char c : word) key += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        start = end + 1;
    }
    return key;
}

}  // namespace

std::vector<Oid> NamingColumns(const Toiddata& entry) {
    std::vector<Oid> columns;
    for (std::size_t at = entry.name.find("#["); at != std::string::npos;
         at = entry.name.find("#[", at + 2)) {
        const std::size_t end = entry.name.find(']', at);
        if (end == std::string::npos) break;
        if (std::optional<Oid> column = ParseOid(std::string_view(entry.name).substr(at + 2, end - at - 2)))
            columns.push_back(std::move(*column));
    }
    return columns;
}

void AddLibraryRemarks(const toidfile& library, const DeviceAnswers& answers,
                       std::vector<EntryCheck>& checks) {
    // The answered 64-bit counters by the name they share with their 32-bit counterpart.
    std::map<std::string, const Toiddata*> counters64;
    for (int i = 0; i < library.Count(); ++i) {
        const Toiddata& entry = *library.Entries(i);
        if (checks[static_cast<std::size_t>(i)].answered &&
            Has(AnsweredTypes(entry, answers), AnswerType::Counter64))
            counters64.emplace(CounterName(entry.name, true), &entry);
    }
    for (int i = 0; i < library.Count(); ++i) {
        const Toiddata& entry = *library.Entries(i);
        EntryCheck& check = checks[static_cast<std::size_t>(i)];
        if (!check.answered) continue;
        if (Has(AnsweredTypes(entry, answers), AnswerType::Counter32)) {
            const auto counterpart = counters64.find(CounterName(entry.name, false));
            if (counterpart != counters64.end() && counterpart->second != &entry)
                check.remarks.push_back("a 32-bit counter whose 64-bit counterpart " +
                                        counterpart->second->name + " is answered too");
        }
        if (entry.kind != TMIBDataKind::mkTable) continue;
        for (const Oid& column : NamingColumns(entry))
            if (answers.Below(column).instances == 0)
                check.remarks.push_back("its rows are named by " + FormatOid(column) +
                                        ", which the device does not answer");
    }
}
