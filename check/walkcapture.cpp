#include "check/walkcapture.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

#include "check/printedindex.h"

namespace {

// The labels net-snmp's printers put before a value.
constexpr std::array<std::pair<std::string_view, AnswerType>, 19> TypeLabels{{
    {"INTEGER", AnswerType::Integer},
    {"UInteger32", AnswerType::Unsigned32},
    {"Unsigned32", AnswerType::Unsigned32},
    {"Gauge32", AnswerType::Gauge32},
    {"Counter32", AnswerType::Counter32},
    {"Timeticks", AnswerType::TimeTicks},
    {"Counter64", AnswerType::Counter64},
    {"INTEGER64", AnswerType::Integer64},
    {"UInteger64", AnswerType::Unsigned64},
    {"Float", AnswerType::Float},
    {"Double", AnswerType::Float},
    {"STRING", AnswerType::OctetString},
    {"Hex-STRING", AnswerType::OctetString},
    {"BITS", AnswerType::Bits},
    {"OID", AnswerType::ObjectId},
    {"IpAddress", AnswerType::IpAddress},
    {"Network Address", AnswerType::IpAddress},
    {"Opaque", AnswerType::Opaque},
    {"OPAQUE", AnswerType::Opaque},
}};

constexpr std::array<std::pair<std::string_view, AnswerType>, 3> Exceptions{{
    {"No Such Object available on this agent at this OID", AnswerType::NoSuchObject},
    {"No Such Instance currently exists at this OID", AnswerType::NoSuchInstance},
    {"No more variables left in this MIB View", AnswerType::EndOfMibView},
}};

// The names SNMPv2-SMI gives the top of the tree, which net-snmp prints without any MIB loaded.
struct TopName {
    std::string_view name;
    std::initializer_list<std::uint32_t> oid;
};
constexpr TopName TopNames[] = {
    {"iso", {1}},
    {"org", {1, 3}},
    {"dod", {1, 3, 6}},
    {"internet", {1, 3, 6, 1}},
    {"directory", {1, 3, 6, 1, 1}},
    {"mgmt", {1, 3, 6, 1, 2}},
    {"mib-2", {1, 3, 6, 1, 2, 1}},
    {"transmission", {1, 3, 6, 1, 2, 1, 10}},
    {"experimental", {1, 3, 6, 1, 3}},
    {"private", {1, 3, 6, 1, 4}},
    {"enterprises", {1, 3, 6, 1, 4, 1}},
    {"security", {1, 3, 6, 1, 5}},
    {"snmpV2", {1, 3, 6, 1, 6}},
    {"snmpDomains", {1, 3, 6, 1, 6, 1}},
    {"snmpProxys", {1, 3, 6, 1, 6, 2}},
    {"snmpModules", {1, 3, 6, 1, 6, 3}},
};

// The top-of-tree name, nullptr for any other label.
const TopName* TopNamed(std::string_view label) {
    for (const TopName& top : TopNames)
        if (top.name == label) return &top;
    return nullptr;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// Past the quote that closes a label net-snmp prints as text ("eth0", 'linkUp') from start: the
// first that a dot, " = " or the end follows, as a quote may stand inside ("a.b", "a"b"); npos
// when none does.
std::size_t PastQuotedLabel(std::string_view text, std::size_t start) {
    const char quote = text[start];
    for (std::size_t close = text.find(quote, start + 1); close != std::string_view::npos;
         close = text.find(quote, close + 1))
        if (close + 1 == text.size() || text[close + 1] == '.' || text.compare(close + 1, 3, " = ") == 0)
            return close + 1;
    return std::string_view::npos;
}

// The labels between the dots, a quoted one whole; nothing for an empty one ("iso.", "a..b"), a
// quote that does not close, or above 128 labels.
std::optional<std::vector<std::string_view>> SplitLabels(std::string_view text) {
    std::vector<std::string_view> labels;
    for (std::size_t start = 0;;) {
        const bool quoted = start < text.size() && IsQuote(text[start]);
        const std::size_t end =
            quoted ? PastQuotedLabel(text, start) : std::min(text.find('.', start), text.size());
        if (end == std::string_view::npos) return std::nullopt;
        labels.push_back(text.substr(start, end - start));
        if (labels.back().empty() || labels.size() > 128) return std::nullopt;
        if (end == text.size()) return labels;
        start = end + 1;
    }
}

// Labels whose names are each the top-of-tree name at its place: "iso.3.6", "iso.org.dod.6".
std::optional<Oid> TopOfTree(const std::vector<std::string_view>& labels) {
    Oid oid;
    for (const std::string_view label : labels) {
        const TopName* top = TopNamed(label);
        if (top != nullptr && top->oid.size() == oid.size() + 1 &&
            std::equal(oid.begin(), oid.end(), top->oid.begin())) {
            oid.push_back(*(top->oid.end() - 1));
            continue;
        }
        std::optional<Oid> arc = IsArc(label) ? ParseOid(label) : std::nullopt;
        if (!arc) return std::nullopt;
        oid.push_back(arc->front());
    }
    return oid;
}

// The OID of labels[at] as names know it, and the labels after it read through its indexes.
std::optional<Oid> NamedOid(std::string_view module, const std::vector<std::string_view>& labels,
                            std::size_t at, OidNames& names) {
    const std::string_view name = labels[at];
    if (!IsMibName(name)) return std::nullopt;
    std::optional<Oid> oid = names.Find(module, name);
    if (!oid) return std::nullopt;
    const std::vector<std::string_view> after(labels.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                                              labels.end());
    // Arcs alone need no types: no module is parsed for their indexes.
    std::optional<InstanceIndexes> indexes = InstanceIndexes();
    if (!std::all_of(after.begin(), after.end(), IsArc)) indexes = names.IndexesAfter(module, name);
    if (!indexes || !ReadPrintedIndexes(after, *indexes, *oid)) return std::nullopt;
    return oid;
}

// A capture's OID: numeric with or without a leading dot; the top of the tree named as net-snmp
// prints it without MIBs ("iso.3.6.1.2.1.1.3.0", -Of's ".iso.org.dod.internet.mgmt.mib-2.1.3.0");
// with names, "IF-MIB::ifInOctets.1" and -Of's full names below the top (the last name and the
// labels after it count), and -Os's "ifInOctets.1", each with indexes printed as text too
// ("ipAddressIfIndex.ipv4.\"127.0.0.1\""). Nothing for anything else.
std::optional<Oid> ReadCaptureOid(std::string_view text, OidNames* names) {
    if (std::optional<Oid> numeric = ParseOid(text)) return numeric;
    std::string_view module;
    if (const std::size_t colons = text.find("::"); colons != std::string_view::npos) {
        module = text.substr(0, colons);
        text.remove_prefix(colons + 2);
        if (!IsMibName(module)) return std::nullopt;
    } else if (text.starts_with('.')) {
        text.remove_prefix(1);
    }
    const std::optional<std::vector<std::string_view>> labels = SplitLabels(text);
    if (!labels) return std::nullopt;
    std::size_t arcs = labels->size();  // where the arcs after the last name begin
    while (arcs > 0 && IsArc((*labels)[arcs - 1])) --arcs;
    if (arcs == 0) return std::nullopt;
    if (module.empty() && TopNamed((*labels)[arcs - 1]) != nullptr) return TopOfTree(*labels);
    if (names == nullptr) return std::nullopt;
    // A module names the first label only ("IF-MIB::ifInOctets.1"). Else the name is the last
    // label that names an object whose indexes the labels after it fit: an index may be printed
    // as a label too (ipv4), and -Of's path runs through the names above it.
    for (std::size_t at = module.empty() ? arcs - 1 : 0;; --at) {
        if (std::optional<Oid> oid = NamedOid(module, *labels, at, *names)) return oid;
        if (at == 0) return std::nullopt;
    }
}

// Where the string's closing quote stands in text, or npos; backslashes escape.
std::size_t ClosingQuote(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == '"')
            return i;
    }
    return std::string_view::npos;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "0A 1B 2C " -- how a long Hex-STRING or BITS value goes on.
bool IsHexBytesLine(std::string_view line) {
    bool any = false;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        if (i + 1 >= line.size() || !IsHexDigit(line[i]) || !IsHexDigit(line[i + 1])) return false;
        if (i + 2 < line.size() && line[i + 2] != ' ') return false;
        i += 2;
        any = true;
    }
    return any;
}

// Where a line's OID ends: at the first " = " outside its quoted labels, which may hold one.
std::size_t OidEnd(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if ((i == 0 || line[i - 1] == '.') && IsQuote(line[i])) {
            i = PastQuotedLabel(line, i);
            if (i == std::string_view::npos) return i;
        }
        if (line.compare(i, 3, " = ") == 0) return i;
    }
    return std::string_view::npos;
}

// A variable's start: "OID = VALUE" with an OID that can be read.
bool SplitVariable(std::string_view line, OidNames* names, Oid& oid, std::string_view& value) {
    const std::size_t equals = OidEnd(line);
    if (equals == std::string_view::npos) return false;
    std::optional<Oid> parsed = ReadCaptureOid(line.substr(0, equals), names);
    if (!parsed) return false;
    oid = std::move(*parsed);
    value = line.substr(equals + 3);
    return true;
}

// The lines of a text one after another, split as textfile::ForEachLine splits them (CR LF, LF
// or CR end a line), each with its 1-based number; a copy keeps a place to come back to.
class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    // The next line; false past the last one.
    bool Next(std::string_view& line) {
        if (at_ >= text_.size()) return false;
        const std::size_t end = std::min(text_.find_first_of("\r\n", at_), text_.size());
        line = text_.substr(at_, end - at_);
        at_ = end + (text_.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        ++number_;
        return true;
    }
    // The number of the line Next gave last.
    int Number() const { return number_; }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
    int number_ = 0;
};

// What follows a variable's first line.
enum class Continuation { none, quotedString, hexBytes };

Continuation ContinuationAfter(std::string_view value) {
    if (value.starts_with("Hex-STRING: ") || value.starts_with("BITS: ") || value.starts_with("OPAQUE: "))
        return Continuation::hexBytes;
    const std::string_view quoted = value.starts_with("STRING: ") ? value.substr(8) : value;
    if (!quoted.starts_with("\"")) return Continuation::none;
    return ClosingQuote(quoted, 1) == std::string_view::npos ? Continuation::quotedString
                                                             : Continuation::none;
}

}  // namespace

bool ReadPrintedType(std::string_view value, AnswerType& type) {
    for (const auto& [text, exception] : Exceptions) {
        if (value.starts_with(text)) {
            type = exception;
            return true;
        }
    }
    if (value == "NULL") {
        type = AnswerType::Null;
        return true;
    }
    if (value.starts_with("\"")) {
        type = AnswerType::OctetString;
        return true;
    }
    // "Wrong Type (should be INTEGER): Gauge32: 5" names the type the agent sent second.
    if (value.starts_with("Wrong Type (should be ")) {
        const std::size_t end = value.find("): ");
        return end != std::string_view::npos && ReadPrintedType(value.substr(end + 3), type);
    }
    const std::size_t colon = value.find(':');
    if (colon == std::string_view::npos) return false;
    const std::string_view label = value.substr(0, colon);
    for (const auto& [text, labelled] : TypeLabels) {
        if (label == text) {
            type = labelled;
            if (type != AnswerType::Opaque) return true;
            // "Opaque: Float: 1.5": a number carried in an Opaque.
            const std::string_view inside = value.substr(colon + 1);
            if (inside.starts_with(" Float:") || inside.starts_with(" Double:"))
                type = AnswerType::Float;
            else if (inside.starts_with(" Int64:"))
                type = AnswerType::Integer64;
            else if (inside.starts_with(" UInt64:"))
                type = AnswerType::Unsigned64;
            return true;
        }
    }
    return false;
}

CaptureReading ReadWalkCapture(std::string_view text, DeviceAnswers& answers, OidNames* names) {
    CaptureReading reading;
    const auto skip = [&reading](const LineCursor& at, std::string_view line) {
        if (reading.skippedLines.Empty()) reading.firstSkipped = line;
        reading.skippedLines.Add(at.Number());
    };
    LineCursor lines(text);
    std::string_view line, next;
    while (lines.Next(line)) {
        Oid oid;
        std::string_view value;
        AnswerType type;
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        if (!SplitVariable(line, names, oid, value) || !ReadPrintedType(value, type)) {
            skip(lines, line);
            continue;
        }
        LineCursor ahead = lines;
        switch (ContinuationAfter(value)) {
            case Continuation::none:
                break;
            case Continuation::hexBytes:
                while (ahead.Next(next) && IsHexBytesLine(next)) lines = ahead;
                break;
            case Continuation::quotedString: {
                bool closed = false;
                while (!closed && ahead.Next(next)) closed = ClosingQuote(next, 0) != std::string_view::npos;
                if (!closed) {
                    // A quote that never closes: the line itself is broken, the next ones stand alone.
                    // No later line holds a quote, so this scan to the end happens once at most.
                    skip(lines, line);
                    continue;
                }
                lines = ahead;  // past the line with the closing quote
                break;
            }
        }
        // A string's text as printed, without its label: "STRING: \"eth0\"" -> "\"eth0\"" (its first line).
        const std::size_t label = value.starts_with('"') ? std::string_view::npos : value.find(": ");
        answers.Add(oid, type, label == std::string_view::npos ? value : value.substr(label + 2));
        ++reading.variables;
    }
    return reading;
}
