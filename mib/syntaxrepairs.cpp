#include "mib/syntaxrepairs.h"

#include <filesystem>

#include "mib/itempredicates.h"
#include "mib/miblexer.h"
#include "mib/textfaults.h"
#include "text/asciicase.h"

namespace syntaxrepairs {

namespace {

bool IsName(const tmibitem& item) {
    return item.kind == ikTypeRef || item.kind == ikValueRef;
}

// Gives the item read last back to the lexer.
void GiveBack(MibLexer& lexer) {
    lexer.Position = lexer.ItemStart;
}

// The item that comes next, left unread (ItemStart tells where it begins).
tmibitem NextItemAhead(MibLexer& lexer) {
    const int32_t saved = lexer.Position;
    tmibitem item;
    lexer.NextItem(item);
    lexer.Position = saved;
    return item;
}

}  // namespace

void FindModuleHeader(MibLexer& lexer, tmibitem& item) {
    if (lexer.Repairing() && isReserved(item, rwDEFINITIONS)) {
        // "DEFINITIONS ::= BEGIN" without a name: the module is named after its file.
        std::string name = std::filesystem::path(lexer.FileName).stem().string();
        if (name.empty()) return;
        lexer.Repaired(lexer.ItemStart, "module name " + name + " taken from the file name");
        GiveBack(lexer);
        item.kind = ikTypeRef;
        item.text = std::move(name);
        return;
    }
    if (!lexer.Repairing() ||
        (IsName(item) && textfaults::ModuleHeaderStart(lexer.Text, lexer.ItemStart - 1) ==
                             static_cast<std::size_t>(lexer.ItemStart) - 1))
        return;
    const std::size_t header = textfaults::ModuleHeaderStart(lexer.Text, lexer.ItemStart - 1);
    if (header == std::string::npos) return;  // no header follows: the error stands at the first item
    lexer.Repaired(lexer.ItemStart, "text before the module header skipped");
    lexer.Position = static_cast<int32_t>(header) + 1;
    lexer.NextItem(item);
}

bool LowerCaseModuleName(MibLexer& lexer, const tmibitem& item) {
    if (!lexer.Repairing() || item.kind != ikValueRef) return false;
    lexer.Repaired(lexer.ItemStart,
                   "module name " + item.text + " read though it begins with a small letter");
    return true;
}

void SkipModuleOid(MibLexer& lexer, tmibitem& item) {
    if (!lexer.Repairing() || !isSymbol(item, '{')) return;
    const int32_t start = lexer.ItemStart;
    do lexer.NextItem(item);
    while (item.kind != ikEnd && !isSymbol(item, '}'));
    lexer.NextItem(item);
    lexer.Repaired(start, "module OID in the header skipped");
}

bool SkipStrayProse(MibLexer& lexer) {
    if (!lexer.Repairing()) return false;
    const textfaults::Skip skip =
        textfaults::StrayProse(lexer.Text, static_cast<std::size_t>(lexer.ItemStart) - 1);
    if (skip.length == 0) return false;
    lexer.Repaired(lexer.ItemStart, skip.what);
    lexer.Position = lexer.ItemStart + static_cast<int32_t>(skip.length);
    return true;
}

bool CommaBeforeFrom(MibLexer& lexer, const tmibitem& item, bool namesRead) {
    if (!lexer.Repairing() || !namesRead || !isReserved(item, rwFROM)) return false;
    lexer.Repaired(lexer.ItemStart, "comma before FROM dropped");
    return true;
}

bool MissingImportComma(MibLexer& lexer, const tmibitem& item) {
    if (!lexer.Repairing() || !(IsName(item) || isReserved(item, rwINTEGER))) return false;
    lexer.Repaired(lexer.ItemStart, "missing comma before " + item.text + " added");
    GiveBack(lexer);
    return true;
}

bool CommaBeforeBrace(MibLexer& lexer, const tmibitem& item) {
    if (!lexer.Repairing() || !isSymbol(item, '}')) return false;
    lexer.Repaired(lexer.ItemStart, "comma before \"}\" dropped");
    return true;
}

bool SpeltInOtherCase(MibLexer& lexer, const tmibitem& item, const char* keyword) {
    if (!lexer.Repairing() || !IsName(item) || !asciicase::EqualsIgnoringCase(item.text, keyword))
        return false;
    lexer.Repaired(lexer.ItemStart, item.text + " read as " + keyword);
    return true;
}

bool MemberWithoutType(MibLexer& lexer, const std::string& member) {
    if (!lexer.Repairing()) return false;
    const tmibitem item = NextItemAhead(lexer);
    if (item.kind != ikValueRef) return false;
    lexer.Repaired(lexer.ItemStart, "member " + member + " without a type read before " + item.text);
    lexer.DefinitionStart = true;  // the next member's name, read again
    return true;
}

void CommaAfterMemberName(MibLexer& lexer, const std::string& member) {
    if (!lexer.Repairing()) return;
    const int32_t saved = lexer.Position;
    tmibitem item;
    lexer.NextItem(item);
    if (isSymbol(item, ','))
        lexer.Repaired(lexer.ItemStart, "comma between " + member + " and its type dropped");
    else
        lexer.Position = saved;
}

bool SequenceEndedByMergedBrace(MibLexer& lexer, int32_t typeEnd) {
    if (!lexer.Repairing() || lexer.MergedBraceEnd != typeEnd) return false;
    lexer.Repaired(typeEnd - 1, "\"}\" read as the end of the SEQUENCE, apart from the \"}\" before it");
    GiveBack(lexer);
    return true;
}

bool MissingMemberComma(MibLexer& lexer, const tmibitem& item) {
    if (!lexer.Repairing() || !IsName(item)) return false;
    lexer.Repaired(lexer.ItemStart, "missing comma before " + item.text + " added");
    GiveBack(lexer);
    lexer.DefinitionStart = true;  // the name is read again as a member's
    return true;
}

bool MissingMacro(MibLexer& lexer, tmibentry& entry) {
    if (!lexer.Repairing()) return false;
    const tmibitem item = NextItemAhead(lexer);
    if (item.kind != ikTypeRef || item.text != "SYNTAX") return false;
    lexer.Repaired(lexer.ItemStart,
                   "OBJECT-TYPE missing before SYNTAX: " + entry.Name + " read as an OBJECT-TYPE");
    entry.Macro = "OBJECT-TYPE";
    return true;
}

void MendTextValue(MibLexer& lexer, const std::string& keyword, tmibitem& item) {
    if (!lexer.Repairing() || item.kind == ikString || !textfaults::TakesText(keyword)) return;
    if (item.kind == ikTypeRef && textfaults::IsClauseKeyword(item.text)) {
        lexer.Repaired(lexer.ItemStart, keyword + " without its text read with an empty text");
        GiveBack(lexer);
        item.kind = ikString;
        item.text.clear();
        return;
    }
    if (!IsName(item) && item.kind != ikNumber) return;
    // The closing quote, on the same line: everything before it is the text.
    const std::size_t start = static_cast<std::size_t>(lexer.ItemStart) - 1;
    const std::size_t quote = lexer.Text.find_first_of("\"\r\n", start);
    if (quote == std::string::npos || lexer.Text[quote] != '"') return;
    lexer.Repaired(lexer.ItemStart, "missing opening quote of the " + keyword + " text added");
    item.kind = ikString;
    item.text.assign(lexer.Text, start, quote - start);
    lexer.Position = static_cast<int32_t>(quote) + 2;
}

bool UnassignedArc(MibLexer& lexer, tmibentry& entry, const std::string& arc, int32_t position) {
    if (!lexer.Repairing()) return false;
    if (entry.UnassignedArc.empty()) entry.UnassignedArc = arc;
    lexer.Repaired(position, "arc " + arc + " of " + entry.Name + " is not assigned: " + entry.Name +
                                 " and the objects below it make no entry");
    return true;
}

}  // namespace syntaxrepairs
