#include "mib/moduleparser.h"

#include "mib/itempredicates.h"
#include "mib/miblexer.h"

void ModuleParser::Parse() {
    parseHeader();
    tmibitem head;
    do {
        lexer_.DefinitionStart = true;
        lexer_.NextItem(head);
        if (isReserved(head, rwEXPORTS)) {
            skipExports();
        } else if (isReserved(head, rwIMPORTS)) {
            parseImports();
        } else if (head.kind == ikTypeRef) {
            parseTypeAssignment(head);
        } else if (head.kind == ikValueRef) {
            if (auto entry = values_.Parse(head)) sink_.AddEntry(std::move(entry));
        } else if (head.kind != ikReserved) {
            lexer_.RaiseError("\"EXPORTS\", \"IMPORTS\" or assignment expected.");
        }
    } while (!isReserved(head, rwEND));
    lexer_.DefinitionStart = true;
}

void ModuleParser::parseHeader() {
    tmibitem item;
    lexer_.NextItem(item);
    if (item.kind != ikTypeRef) lexer_.RaiseError("Module Identifier expected.");
    sink_.BeginModule(item.text);
    lexer_.NextItem(item);
    if (!isReserved(item, rwDEFINITIONS)) lexer_.RaiseError("\"DEFINITIONS\" expected.");
    do lexer_.NextItem(item);
    while (item.kind == ikReserved);  // IMPLICIT TAGS, EXTENSIBILITY IMPLIED and the like
    if (item.kind != ikAssign) lexer_.RaiseError("\"::=\" expected.");
    lexer_.NextItem(item);
    if (!isReserved(item, rwBEGIN)) lexer_.RaiseError("\"BEGIN\" expected.");
}

void ModuleParser::skipExports() {
    tmibitem item;
    do lexer_.NextItem(item);
    while (item.kind != ikEnd && !isSymbol(item, ';'));
}

// IMPORTS a, b FROM M1 c FROM M2 ;  gives the lines M1:a, M1:b, M2:c.
void ModuleParser::parseImports() {
    tmibitem item;
    for (;;) {
        std::vector<std::string> names;
        for (;;) {
            lexer_.NextItem(item);
            if (isSymbol(item, ';')) return;
            if (item.kind != ikTypeRef && item.kind != ikValueRef && !isReserved(item, rwINTEGER))
                lexer_.RaiseError("Identifier or Type expected.");
            names.push_back(item.text);
            lexer_.NextItem(item);  // the separator, normally ","
            if (isReserved(item, rwFROM) || item.kind == ikEnd) break;
        }
        if (!isReserved(item, rwFROM)) lexer_.RaiseError("\"FROM\" expected.");
        lexer_.NextItem(item);
        if (item.kind != ikTypeRef && item.kind != ikValueRef)
            lexer_.RaiseError("Module Reference expected.");
        for (const std::string& name : names) sink_.AddImport(item.text, name, lexer_.Position);
    }
}

void ModuleParser::parseTypeAssignment(const tmibitem& head) {
    tmibitem item;
    lexer_.NextItem(item);
    if (isReserved(item, rwMACRO)) {
        do lexer_.NextItem(item);
        while (item.kind != ikEnd && !isReserved(item, rwEND));
        return;
    }
    if (item.kind != ikAssign) lexer_.RaiseError("\"::=\" expected.");
    sink_.AddType(types_.Parse(head.text));
}
