#include "mib/valueparser.h"

#include "mib/itempredicates.h"
#include "mib/miblexer.h"
#include "mib/typeparser.h"
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

std::shared_ptr<tmibentry> ValueParser::Parse(const tmibitem& head) {
    auto entry = std::make_shared<tmibentry>();  // one allocation with the count its sharing needs
    entry->Name = head.text;
    entry->Line = lexer_.LineAt(lexer_.Position);  // Position is just past the name, on its line
    entry->Macro = types_.ParseNested().BaseType;
    if (entry->Macro == "@ignore")
        return nullptr;  // MODULE-COMPLIANCE, AGENT-CAPABILITIES: already read whole
    parseClauses(*entry);
    parseOidValue(*entry);
    return entry;
}

// KEYWORD value ... up to and including "::=" (or the end of text, where the value then fails).
void ValueParser::parseClauses(tmibentry& entry) {
    tmibitem item;
    for (;;) {
        lexer_.NextItem(item);
        if (item.kind == ikAssign) return;
        if (item.kind != ikTypeRef && item.kind != ikValueRef)
            lexer_.RaiseError("Identifier or Type expected.");
        if (entry.Clauses.empty()) entry.Clauses.reserve(4);  // most macros have two to six clauses
        const std::string keyword = item.text;
        if (keyword == "SYNTAX") {
            tasntype syntax = types_.ParseNested();
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
        lexer_.NextItem(item);
        if (keyword == "AUGMENTS" || keyword == "INDEX") {
            if (!isSymbol(item, '{')) lexer_.RaiseError("\"{\" expected.");
            if (keyword == "AUGMENTS") {
                entry.Augments = readBracedContent(item);
            } else {
                FlagScope index(lexer_.InIndex);  // IMPLIED IfName reads as ifName, in the text too
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
std::string ValueParser::readBracedContent(tmibitem& item) {
    std::string content;
    for (;;) {
        lexer_.NextItem(item);
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
void ValueParser::parseOidValue(tmibentry& entry) {
    // An arc that does not fit would wrap into another number, another vendor's OID.
    auto arc = [this](const tmibitem& number) {
        if (number.value < 0 || number.value > UINT32_MAX)
            lexer_.RaiseError("OID arc out of range 0..4294967295 (Value=" + number.text + ").");
        return static_cast<uint32_t>(number.value);
    };
    tmibitem item;
    lexer_.NextItem(item);
    if (item.kind == ikNumber) {
        entry.OidParts.push_back({"???", arc(item)});
        return;
    }
    if (!isSymbol(item, '{')) lexer_.RaiseError("\"{\" or number expected.");
    entry.OidParts.reserve(2);  // most values are { parent number }
    lexer_.NextItem(item);
    while (item.kind != ikEnd && !isSymbol(item, '}')) {
        if (item.kind == ikNumber) {
            entry.OidParts.push_back({"???", arc(item)});
            lexer_.NextItem(item);
        } else if (item.kind == ikValueRef) {
            entry.OidParts.push_back({item.text, 0});
            lexer_.NextItem(item);
            if (isSymbol(item, '(')) {
                lexer_.NextItem(item);
                if (item.kind != ikNumber) lexer_.RaiseError("Number expected.");
                entry.OidParts.back().number = arc(item);
                lexer_.NextItem(item);
                if (!isSymbol(item, ')')) lexer_.RaiseError("\")\" expected.");
                lexer_.NextItem(item);
            }
        } else {
            lexer_.RaiseError("Identifier or Number expected.");
        }
    }
}
