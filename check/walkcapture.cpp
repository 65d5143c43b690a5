#include "check/walkcapture.h"

#include <array>
#include <utility>

#include "text/textfile.h"

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

// A variable's start: "OID = VALUE" with a numeric OID.
bool SplitVariable(std::string_view line, Oid& oid, std::string_view& value) {
    const std::size_t equals = line.find(" = ");
    if (equals == std::string_view::npos) return false;
    std::optional<Oid> parsed = ParseOid(line.substr(0, equals));
    if (!parsed) return false;
    oid = std::move(*parsed);
    value = line.substr(equals + 3);
    return true;
}

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

CaptureReading ReadWalkCapture(std::string_view text, DeviceAnswers& answers) {
    CaptureReading reading;
    const std::vector<std::string_view> lines = textfile::SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        Oid oid;
        std::string_view value;
        AnswerType type;
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        if (!SplitVariable(line, oid, value) || !ReadPrintedType(value, type)) {
            reading.skippedLines.push_back(static_cast<int>(i) + 1);
            continue;
        }
        std::size_t next = i + 1;
        switch (ContinuationAfter(value)) {
            case Continuation::none:
                break;
            case Continuation::hexBytes:
                while (next < lines.size() && IsHexBytesLine(lines[next])) ++next;
                break;
            case Continuation::quotedString:
                while (next < lines.size() && ClosingQuote(lines[next], 0) == std::string_view::npos) ++next;
                if (next == lines.size()) {
                    // A quote that never closes: the line itself is broken, the next ones stand alone.
                    // No later line holds a quote, so this scan to the end happens once at most.
                    reading.skippedLines.push_back(static_cast<int>(i) + 1);
                    continue;
                }
                ++next;  // the line with the closing quote
                break;
        }
        answers.Add(oid, type);
        ++reading.variables;
        i = next - 1;
    }
    return reading;
}
