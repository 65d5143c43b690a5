#include "check/checkreport.h"

#include "library/oidfile.h"
#include "text/printable.h"

namespace {

std::string RowsText(const Toiddata& entry, const EntryCheck& check) {
    if (entry.kind != TMIBDataKind::mkTable || !check.answered) return "";
    return check.rows == 1 ? "  (1 row)" : "  (" + std::to_string(check.rows) + " rows)";
}

std::string Joined(const std::vector<std::string>& texts, const char* separator) {
    std::string joined;
    for (const std::string& text : texts) joined += (joined.empty() ? "" : separator) + text;
    return joined;
}

}  // namespace

std::string CheckSummary(const CheckResult& result) {
    return std::to_string(result.Answered()) + " of " + std::to_string(result.entries.size()) +
           " entries answered";
}

std::vector<std::string> CheckReportLines(const toidfile& library, const CheckResult& result) {
    std::vector<std::string> lines;
    for (int i = 0; i < library.Count() && static_cast<std::size_t>(i) < result.entries.size(); ++i) {
        const Toiddata& entry = *library.Entries(i);
        const EntryCheck& check = result.entries[static_cast<std::size_t>(i)];
        std::string line =
            (check.answered ? "answered      " : "not answered  ") + entry.oid + "  " + entry.name;
        line += RowsText(entry, check);
        if (!check.remarks.empty()) line += "  " + Joined(check.remarks, "; ");
        lines.push_back(std::move(line));
    }
    lines.insert(lines.end(), result.unreadModules.begin(), result.unreadModules.end());
    if (const std::size_t count = result.skippedLines.Count(); count > 0)
        lines.push_back(std::to_string(count) + (count == 1 ? " line" : " lines") +
                        " of the capture could not be read: " + LineRangesText(result.skippedLines));
    lines.push_back(CheckSummary(result));
    return lines;
}

std::string CheckReportJson(const toidfile& library, const CheckResult& result) {
    std::string json = "{\n  \"source\": " + QuoteForJson(result.source) +
                       ",\n  \"answered\": " + std::to_string(result.Answered()) +
                       ",\n  \"entries\": " + std::to_string(result.entries.size()) +
                       ",\n  \"skippedLineCount\": " + std::to_string(result.skippedLines.Count()) +
                       ",\n  \"skippedLines\": [";
    std::vector<std::string> ranges;
    for (const auto& [first, last] : result.skippedLines.Kept())
        ranges.push_back("[" + std::to_string(first) + ", " + std::to_string(last) + "]");
    json += Joined(ranges, ", ");
    std::vector<std::string> modules;
    for (const std::string& line : result.unreadModules) modules.push_back(QuoteForJson(line));
    json += "],\n  \"unreadModules\": [" + Joined(modules, ", ") + "],\n  \"results\": [";
    for (int i = 0; i < library.Count() && static_cast<std::size_t>(i) < result.entries.size(); ++i) {
        const Toiddata& entry = *library.Entries(i);
        const EntryCheck& check = result.entries[static_cast<std::size_t>(i)];
        std::vector<std::string> remarks;
        for (const std::string& remark : check.remarks) remarks.push_back(QuoteForJson(remark));
        json += std::string(i == 0 ? "\n" : ",\n") + "    {\"name\": " + QuoteForJson(entry.name) +
                ", \"oid\": " + QuoteForJson(entry.oid) +
                ", \"kind\": " + (entry.kind == TMIBDataKind::mkTable ? "\"mkTable\"" : "\"mkDirect\"") +
                ", \"answered\": " + (check.answered ? "true" : "false") +
                ", \"rows\": " + std::to_string(check.rows) + ", \"remarks\": [" + Joined(remarks, ", ") +
                "]}";
    }
    return json + (library.Count() > 0 ? "\n  ]\n}\n" : "]\n}\n");
}
