#include "check/libraryremarks.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "check/entrycheck.h"
#include "library/oidfile.h"

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

// The last part of a name in lower case without blanks: "IF-MIB|if: #[...]|if in octets" ->
// "ifinoctets".
std::string CounterKey(const std::string& name) {
    std::string key;
    for (const char c : std::string_view(name).substr(name.rfind('|') + 1))
        if (c != ' ') key += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return key;
}

// The keys the 32-bit counterpart of a 64-bit counter may have: its key with one "hc" (high
// capacity) taken out, wherever the display name put it: "if hc in octets" and "ifhcin octets"
// (ifHCInOctets) both give "ifinoctets".
std::vector<std::string> CounterpartKeys(const std::string& key) {
    std::vector<std::string> keys;
    for (std::size_t at = key.find("hc"); at != std::string::npos; at = key.find("hc", at + 1))
        keys.push_back(key.substr(0, at) + key.substr(at + 2));
    return keys;
}

// "\"eth0\"" for a row named by one column, "\"eth0\" / \"1\"" by two; nothing when a column has
// no text for the row.
std::optional<std::string> RowName(const std::vector<Oid>& columns, const Oid& row,
                                   const DeviceAnswers& answers) {
    std::string name;
    for (const Oid& column : columns) {
        Oid cell = column;
        cell.insert(cell.end(), row.begin(), row.end());
        const std::string* text = answers.TextOf(cell);
        if (text == nullptr) return std::nullopt;
        name += (name.empty() ? "" : " / ") + *text;
    }
    return name;
}

// The remark for a table entry two of whose rows carry the same name in the columns that name
// them, as the monitor would show them under one name; "" when every name is its own.
std::string SharedRowNameRemark(const Toiddata& entry, const std::vector<Oid>& columns,
                                const DeviceAnswers& answers) {
    const std::optional<Oid> oid = ParseOid(entry.oid);
    if (!oid || columns.empty()) return "";
    struct Named {
        Oid firstRow;
        std::size_t rows = 0;
    };
    std::map<std::string, Named> names;
    std::optional<std::string> shared;  // the name of the first row, in OID order, that another had before
    Oid sharedRow;
    for (const Oid& row : answers.RowsBelow(*oid)) {
        const std::optional<std::string> name = RowName(columns, row, answers);
        if (!name) continue;
        Named& named = names.try_emplace(*name, Named{row}).first->second;
        if (++named.rows == 2 && !shared) {
            shared = *name;
            sharedRow = row;
        }
    }
    if (!shared) return "";
    std::size_t sharing = 0;
    for (const auto& [name, named] : names)
        if (named.rows > 1) sharing += named.rows;
    return "rows " + FormatOid(names[*shared].firstRow) + " and " + FormatOid(sharedRow) +
           " are both named " + *shared +
           (sharing > 2 ? " (" + std::to_string(sharing) + " rows share a name)" : "") +
           ": the monitor shows them under one name";
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
    // The answered 64-bit counters by the keys their 32-bit counterparts would have.
    std::map<std::string, const Toiddata*> counters64;
    for (int i = 0; i < library.Count(); ++i) {
        const Toiddata& entry = *library.Entries(i);
        if (checks[static_cast<std::size_t>(i)].answered &&
            Has(AnsweredTypes(entry, answers), AnswerType::Counter64))
            for (std::string& key : CounterpartKeys(CounterKey(entry.name)))
                counters64.emplace(std::move(key), &entry);
    }
    for (int i = 0; i < library.Count(); ++i) {
        const Toiddata& entry = *library.Entries(i);
        EntryCheck& check = checks[static_cast<std::size_t>(i)];
        if (!check.answered) continue;
        if (Has(AnsweredTypes(entry, answers), AnswerType::Counter32)) {
            const auto counterpart = counters64.find(CounterKey(entry.name));
            if (counterpart != counters64.end() && counterpart->second != &entry)
                check.remarks.push_back("a 32-bit counter whose 64-bit counterpart " +
                                        counterpart->second->name + " is answered too");
        }
        if (entry.kind != TMIBDataKind::mkTable) continue;
        const std::vector<Oid> columns = NamingColumns(entry);
        for (const Oid& column : columns)
            if (answers.Below(column).instances == 0)
                check.remarks.push_back("its rows are named by " + FormatOid(column) +
                                        ", which the device does not answer");
        if (std::string shared = SharedRowNameRemark(entry, columns, answers); !shared.empty())
            check.remarks.push_back(std::move(shared));
    }
}
