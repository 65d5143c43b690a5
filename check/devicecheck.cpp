#include "check/devicecheck.h"

#include <algorithm>
#include <memory>

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
    if ((type == AnswerType::Counter32 || type == AnswerType::Counter64) &&
        entry.type == TValueMode::vmAbsolute)
        remarks.push_back(name + " where the entry is a gauge");
    if (IsNumber64(type) && !entry.is64bit) remarks.push_back(name + " where the entry is 32-bit");
    if (IsNumber32(type) && entry.is64bit) remarks.push_back(name + " where the entry is 64-bit");
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
    for (int i = 0; i < library.Count(); ++i)
        if (std::optional<Oid> subtree = NeededSubtree(*library.Entries(i)))
            needed.push_back(std::move(*subtree));
    std::sort(needed.begin(), needed.end());
    // Sorted, a subtree follows the one that contains it.
    std::vector<Oid> roots;
    for (Oid& oid : needed)
        if (roots.empty() || !OidStartsWith(oid, roots.back())) roots.push_back(std::move(oid));
    return roots;
}

EntryCheck MatchEntry(const Toiddata& entry, const DeviceAnswers& answers) {
    EntryCheck check;
    const std::optional<Oid> oid = ParseOid(entry.oid);
    if (!oid) {
        check.remarks.push_back("the OID is not numeric");
        return check;
    }
    // A GETNEXT entry reads the first variable below its OID, as a table column does.
    if (entry.kind == TMIBDataKind::mkDirect && !entry.usegetnext) {
        const AnswerType* type = answers.Find(*oid);
        if (type != nullptr) {
            check.answered = !IsException(*type);
            check.rows = check.answered ? 1 : 0;
            AddTypeRemarks(entry, *type, check.remarks);
        } else if (const int below = answers.Below(*oid).instances; below > 0) {
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
    result.variables = answers.Count();
    return result;
}

CheckResult CheckAgainstCapture(const toidfile& library, const std::string& fileName) {
    std::string text, message;
    if (!textfile::TryReadFile(fileName, text, message)) throw CheckError(CheckFailure::unreadable, message);
    DeviceAnswers answers;
    const CaptureReading reading = ReadWalkCapture(text, answers);
    CheckResult result = MatchEntries(library, answers);
    result.source = "walk capture " + fileName;
    result.skippedLines = reading.skippedLines;
    return result;
}

CheckResult CheckAgainstAgent(const toidfile& library, const AgentSettings& settings,
                              const WalkProgressCallback& progress) {
    DeviceAnswers answers;
    WalkAgent(settings, SubtreesToWalk(library), answers, progress);
    CheckResult result = MatchEntries(library, answers);
    result.source = "agent " + DescribeAgent(settings);
    return result;
}

void CopyAnsweredEntries(const toidfile& library, const CheckResult& result, toidfile& target) {
    for (int i = 0; i < library.Count() && static_cast<std::size_t>(i) < result.entries.size(); ++i) {
        if (!result.entries[static_cast<std::size_t>(i)].answered) continue;
        auto copy = std::make_unique<Toiddata>();
        CopyEntry(*copy, *library.Entries(i));
        target.Add(std::move(copy));
    }
}
