// The value-assignment parser: OBJECT-TYPE and every other macro use by one clause scheme,
// and the OID value after "::=".
#include "mib/itempredicates.h"
#include "mib/mibfile.h"
#include "text/textfile.h"

namespace {

// Appends a clause value on one line: each line trimmed, lines joined by one blank.
// Example: "  first line\r\n   second  " appends "first line second".
void appendNormalizedText(std::string& result, const std::string& text) {
    bool first = true;
    textfile::ForEachLine(text, [&](std::string_view line) {
        size_t b = 0, e = line.size();
        while (b < e && static_cast<unsigned char>(line[b]) <= 32) ++b;
        while (e > b && static_cast<unsigned char>(line[e - 1]) <= 32) --e;
        if (!first) result += ' ';
        result.append(line.substr(b, e - b));
        first = false;
    });
}

}  // namespace

void tmibfile::parseValueAssignment(const tmibitem& head) {
    auto entry = std::make_shared<tmibentry>();  // one allocation with the count its sharing needs
    entry->Name = head.text;
    entry->Line = LineAt(Position);  // Position is just past the name, on its line
    entry->Macro = parseNestedType().BaseType;
    if (entry->Macro == "@ignore") return;  // MODULE-COMPLIANCE, AGENT-CAPABILITIES: already read whole
    parseClauses(*entry);
    parseOidValue(*entry);
    addEntry(std::move(entry));
}

// KEYWORD value ... up to and including "::=" (or the end of text, where the value then fails).
void tmibfile::parseClauses(tmibentry& entry) {
    tmibitem item;
    for (;;) {
        NextItem(item);
        if (item.kind == ikAssign) return;
        if (item.kind != ikTypeRef && item.kind != ikValueRef) RaiseError("Identifier or Type expected.");
        if (entry.Clauses.empty()) entry.Clauses.reserve(4);  // most macros have two to six clauses
        const std::string keyword = item.text;
        if (keyword == "SYNTAX") {
            tasntype syntax = parseNestedType();
            if (!syntax.ElementType.empty()) {
                entry.Clauses.push_back("SYNTAX=" + syntax.BaseType + "|" + syntax.ElementType);
            } else {
                entry.Clauses.push_back("SYNTAX=" + syntax.BaseType);
                entry.IsUnsigned = syntax.IsUnsigned;
                entry.Is64Bit = syntax.Is64Bit;
                entry.Syntax = std::move(syntax.Detail);
            }
            continue;
        }
        NextItem(item);
        if (keyword == "AUGMENTS" || keyword == "INDEX") {
            if (!isSymbol(item, '{')) RaiseError("\"{\" expected.");
            if (keyword == "AUGMENTS") {
                entry.Augments = readBracedContent(item);
            } else {
                FlagScope index(InIndex);  // IMPLIED IfName reads as ifName, in the text too
                entry.Clauses.push_back("INDEX=" + readBracedContent(item));
            }
        } else if (isSymbol(item, '{')) {
            entry.Clauses.push_back(keyword + "=" + readBracedContent(item));
        } else if (item.kind == ikNumber) {
            entry.Clauses.push_back(keyword + "=" + std::to_string(item.value));
        } else {
            // Built in place: descriptions are most of a module's text.
            std::string clause;
            clause.reserve(keyword.size() + 1 + item.text.size());
            clause.append(keyword).append(1, '=');
            appendNormalizedText(clause, item.text);
            entry.Clauses.push_back(std::move(clause));
        }
        if (item.kind == ikAssign || item.kind == ikEnd) return;
    }
}

// The items after "{" up to the first "}", as text: { ifIndex, IMPLIED ifName } gives
// "ifIndex,ifName"; numbers give their value, symbols their character, other items nothing.
std::string tmibfile::readBracedContent(tmibitem& item) {
    std::string content;
    for (;;) {
        NextItem(item);
        if (item.kind == ikEnd || isSymbol(item, '}')) return content;
        if (item.kind == ikNumber)
            content += std::to_string(item.value);
        else if (item.kind == ikSymbol)
            content += item.symbol;
        else if (item.kind == ikValueRef)
            content += item.text;
    }
}

// { parent 3 6 }, { iso org(3) dod(6) 1 } or a bare number.
void tmibfile::parseOidValue(tmibentry& entry) {
    // An arc that does not fit would wrap into another number, another vendor's OID.
    auto arc = [this](const tmibitem& number) {
        if (number.value < 0 || number.value > UINT32_MAX)
            RaiseError("OID arc out of range 0..4294967295 (Value=" + number.text + ").");
        return static_cast<uint32_t>(number.value);
    };
    tmibitem item;
    NextItem(item);
    if (item.kind == ikNumber) {
        entry.OidParts.push_back({"???", arc(item)});
        return;
    }
    if (!isSymbol(item, '{')) RaiseError("\"{\" or number expected.");
    entry.OidParts.reserve(2);  // most values are { parent number }
    NextItem(item);
    while (item.kind != ikEnd && !isSymbol(item, '}')) {
        if (item.kind == ikNumber) {
            entry.OidParts.push_back({"???", arc(item)});
            NextItem(item);
        } else if (item.kind == ikValueRef) {
            entry.OidParts.push_back({item.text, 0});
            NextItem(item);
            if (isSymbol(item, '(')) {
                NextItem(item);
                if (item.kind != ikNumber) RaiseError("Number expected.");
                entry.OidParts.back().number = arc(item);
                NextItem(item);
                if (!isSymbol(item, ')')) RaiseError("\")\" expected.");
                NextItem(item);
            }
        } else {
            RaiseError("Identifier or Number expected.");
        }
    }
}
