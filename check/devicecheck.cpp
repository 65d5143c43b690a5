#include "check/devicecheck.h"

#include <algorithm>
#include <memory>

#include "check/libraryremarks.h"
#include "check/walkcapture.h"
#include "library/oidfile.h"
#include "text/textfile.h"

namespace {

bool IsNumber64(AnswerType type) {
    return type == AnswerType::Counter64 || type == AnswerType::Integer64 || type == AnswerType::Unsigned64;
}

bool IsNumber32(AnswerType type) {
    return type == AnswerType::Integer || type == AnswerType::Unsigned32 || type == AnswerType::Gauge32 ||
           type == AnswerType::Counter32 || type == AnswerType::TimeTicks;
}

// What an answer of this type says against the entry; one remark per contradiction.
void AddTypeRemarks(const Toiddata& entry, AnswerType type, std::vector<std::string>& remarks) {
    const std::string name = AnswerTypeName(type);
    if (IsException(type)) {
        remarks.push_back("the agent says " + name);
        return;
    }
    // A float entry may well read its number out of a string (UCD-SNMP's laLoad).
    const bool text = type == AnswerType::ObjectId || type == AnswerType::IpAddress ||
                      type == AnswerType::Bits || type == AnswerType::Null ||
                      (type == AnswerType::OctetString && !entry.isfloat);
    if (text) remarks.push_back(name + " where the entry is a number");
    // Counter64 is how SNMP carries every 64-bit number, gauges (CounterBasedGauge64) too: only its
    // size can contradict the entry.
    if (type == AnswerType::Counter32 && entry.type == TValueMode::vmAbsolute)
        remarks.push_back(name + " where the entry is a gauge");
    if (IsNumber64(type) && !entry.is64bit) remarks.push_back(name + " where the entry is 32-bit");
    if (IsNumber32(type) && entry.is64bit) remarks.push_back(name + " where the entry is 64-bit");
}

// A line of a file for a message: at most 100 bytes, control bytes as \xNN.
std::string Shown(std::string_view line) {
    static const char hex[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : line.substr(0, 100)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            shown += std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
        else
            shown += c;
    }
    return "\"" + shown + (line.size() > 100 ? "...\"" : "\"");
}

// Why ParseOid refuses an entry's OID, for its remark: "1.3.6.4294967296" -> "the OID has an arc
// above 4294967295".
std::string OidRemark(std::string_view text) {
    if (text.find_first_not_of(".0123456789") != std::string_view::npos) return "the OID is not numeric";
    if (text.starts_with('.')) text.remove_prefix(1);
    if (text.empty()) return "the entry has no OID";
    std::size_t arcs = 0;
    for (std::size_t start = 0; start <= text.size(); ++arcs) {
        const std::size_t dot = std::min(text.find('.', start), text.size());
        const std::string_view arc = text.substr(start, dot - start);
        if (arc.empty()) return "the OID has an empty arc";
        // Leading zeros do not make an arc larger.
        const std::string_view digits = arc.substr(std::min(arc.find_first_not_of('0'), arc.size() - 1));
        if (digits.size() > 10 || (digits.size() == 10 && digits > "4294967295"))
            return "the OID has an arc above 4294967295";
        start = dot + 1;
    }
    return arcs > 128 ? "the OID has more than 128 arcs" : "the OID is not numeric";
}

// The subtree one entry needs walked, or nothing for an OID that is not numeric.
std::optional<Oid> NeededSubtree(const Toiddata& entry) {
    std::optional<Oid> oid = ParseOid(entry.oid);
    if (!oid) return std::nullopt;
    const bool single = entry.kind == TMIBDataKind::mkDirect;
    if (single && oid->size() > 1 && oid->back() == 0) oid->pop_back();
    if (oid->size() > 1) oid->pop_back();
    return oid;
}

}  // namespace

int CheckResult::Answered() const {
    return static_cast<int>(
        std::count_if(entries.begin(), entries.end(), [](const EntryCheck& e) { return e.answered; }));
}

std::vector<Oid> SubtreesToWalk(const toidfile& library) {
    std::vector<Oid> needed;
    for (int i = 0; i < library.Count(); ++i) {
        if (std::optional<Oid> subtree = NeededSubtree(*library.Entries(i)))
            needed.push_back(std::move(*subtree));
        for (Oid& column : NamingColumns(*library.Entries(i))) needed.push_back(std::move(column));
    }
    std::sort(needed.begin(), needed.end());
    // Sorted, a subtree follows the one that contains it.
    std::vector<Oid> roots;
    for (Oid& oid : needed)
        if (roots.empty() || !OidStartsWith(oid, roots.back())) roots.push_back(std::move(oid));
    return roots;
}

std::vector<Oid> OidsEntriesNeed(const toidfile& library) {
    std::vector<Oid> needed;
    for (int i = 0; i < library.Count(); ++i) {
        if (std::optional<Oid> oid = ParseOid(library.Entries(i)->oid)) needed.push_back(std::move(*oid));
        for (Oid& column : NamingColumns(*library.Entries(i))) needed.push_back(std::move(column));
    }
    return needed;
}

EntryCheck MatchEntry(const Toiddata& entry, const DeviceAnswers& answers) {
    EntryCheck check;
    const std::optional<Oid> oid = ParseOid(entry.oid);
    if (!oid) {
        check.remarks.push_back(OidRemark(entry.oid));
        return check;
    }
    // A GETNEXT entry reads the first variable below its OID, as a table column does.
    if (entry.kind == TMIBDataKind::mkDirect && !entry.usegetnext) {
        const AnswerType* type = answers.Find(*oid);
        if (type != nullptr) {
            check.answered = !IsException(*type);
            check.rows = check.answered ? 1 : 0;
            AddTypeRemarks(entry, *type, check.remarks);
        } else if (const int below = answers.Below(*oid).instances; below == 1) {
            check.onlyThroughGetnext = true;
            check.remarks.push_back(
                "the agent returns it only through GETNEXT (--fix-getnext sets usegetnext)");
        } else if (below > 1) {
            check.remarks.push_back("no value at the OID but " + std::to_string(below) +
                                    " below it (a table column?)");
        }
        return check;
    }
    const SubtreeAnswers below = answers.Below(*oid);
    check.rows = entry.kind == TMIBDataKind::mkDirect ? std::min(below.instances, 1) : below.instances;
    check.answered = below.instances > 0;
    for (const AnswerType type : below.types) AddTypeRemarks(entry, type, check.remarks);
    return check;
}

CheckResult MatchEntries(const toidfile& library, const DeviceAnswers& answers) {
    CheckResult result;
    result.entries.reserve(static_cast<std::size_t>(library.Count()));
    for (int i = 0; i < library.Count(); ++i)
        result.entries.push_back(MatchEntry(*library.Entries(i), answers));
    AddLibraryRemarks(library, answers, result.entries);
    result.variables = answers.Count();
    return result;
}

CheckResult CheckAgainstCapture(const toidfile& library, const std::string& fileName, OidNames* names) {
    std::string text, message;
    if (!textfile::TryReadFile(fileName, text, message)) throw CheckError(CheckFailure::unreadable, message);
    DeviceAnswers answers;
    const CaptureReading reading = ReadWalkCapture(text, answers, names);
    const std::vector<std::string> unreadModules =
        names != nullptr ? names->Problems() : std::vector<std::string>();
    if (reading.variables == 0) {
        const std::string what = !reading.skippedLines.Empty()
                                     ? "line " + std::to_string(reading.skippedLines.Kept().front().first) +
                                           " is: " + Shown(reading.firstSkipped)
                                 : text.empty() ? "it is empty"
                                                : "it holds only blank lines";
        // The modules whose names could not be read follow, as they may be why.
        std::string why;
        for (const std::string& line : unreadModules) why += "\n" + line;
        throw CheckError(CheckFailure::unreadable,
                         "No line of the capture " + fileName + " could be read; " + what +
                             ". Capture with snmpwalk -On or snmpbulkwalk -On (numeric OIDs): that format is "
                             "always read." +
                             why);
    }
    CheckResult result = MatchEntries(library, answers);
    result.source = "walk capture " + fileName;
    result.skippedLines = reading.skippedLines;
    result.unreadModules = unreadModules;
    return result;
}

CheckResult CheckAgainstAgent(const toidfile& library, const AgentSettings& settings,
                              const WalkProgressCallback& progress) {
    DeviceAnswers answers(OidsEntriesNeed(library));
    WalkAgent(settings, SubtreesToWalk(library), answers, progress);
    return MatchAgentAnswers(library, settings, answers);
}

CheckResult MatchAgentAnswers(const toidfile& library, const AgentSettings& settings,
                              const DeviceAnswers& answers) {
    CheckResult result = MatchEntries(library, answers);
    result.source = "agent " + DescribeAgent(settings);
    // An SNMPv1 agent leaves out every Counter64, the type of the 64-bit entries.
    if (settings.version == SnmpVersion::v1)
        for (int i = 0; i < library.Count(); ++i) {
            EntryCheck& check = result.entries[static_cast<std::size_t>(i)];
            if (!check.answered && library.Entries(i)->is64bit && !library.Entries(i)->isfloat)
                check.remarks.push_back("SNMPv1 cannot carry Counter64; v2c or v3 will");
        }
    return result;
}

void CopyAnsweredEntries(const toidfile& library, const CheckResult& result, toidfile& target,
                         bool fixGetnext) {
    for (int i = 0; i < library.Count() && static_cast<std::size_t>(i) < result.entries.size(); ++i) {
        const EntryCheck& check = result.entries[static_cast<std::size_t>(i)];
        const bool fixed = fixGetnext && check.onlyThroughGetnext;
        if (!check.answered && !fixed) continue;
        auto copy = std::make_unique<Toiddata>();
        CopyEntry(*copy, *library.Entries(i));
        if (fixed) copy->usegetnext = true;
        target.Add(std::move(copy));
    }
}
