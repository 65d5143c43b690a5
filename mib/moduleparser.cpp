// The module parser: header, body loop, IMPORTS, EXPORTS and MACRO skips.
#include "mib/itempredicates.h"
#include "mib/mibfile.h"

void tmibfile::ParseModule() {
    parseHeader();
    tmibitem head;
    do {
        DefinitionStart = true;
        NextItem(head);
        if (isReserved(head, rwEXPORTS))
            skipExports();
        else if (isReserved(head, rwIMPORTS))
            parseImports();
        else if (head.kind == ikTypeRef)
            parseTypeAssignment(head);
        else if (head.kind == ikValueRef)
            parseValueAssignment(head);
        else if (head.kind != ikReserved)
            RaiseError("\"EXPORTS\", \"IMPORTS\" or assignment expected.");
    } while (!isReserved(head, rwEND));
    DefinitionStart = true;
}

void tmibfile::parseHeader() {
    tmibitem item;
    NextItem(item);
    if (item.kind != ikTypeRef) RaiseError("Module Identifier expected.");
    beginModule(item.text);
    NextItem(item);
    if (!isReserved(item, rwDEFINITIONS)) RaiseError("\"DEFINITIONS\" expected.");
    do NextItem(item);
    while (item.kind == ikReserved);  // IMPLICIT TAGS, EXTENSIBILITY IMPLIED and the like
    if (item.kind != ikAssign) RaiseError("\"::=\" expected.");
    NextItem(item);
    if (!isReserved(item, rwBEGIN)) RaiseError("\"BEGIN\" expected.");
}

void tmibfile::skipExports() {
    tmibitem item;
    do NextItem(item);
    while (item.kind != ikEnd && !isSymbol(item, ';'));
}

// IMPORTS a, b FROM M1 c FROM M2 ;  gives the lines M1:a, M1:b, M2:c.
void tmibfile::parseImports() {
    tmibitem item;
    for (;;) {
        std::vector<std::string> names;
        for (;;) {
            NextItem(item);
            if (isSymbol(item, ';')) return;
            if (item.kind != ikTypeRef && item.kind != ikValueRef && !isReserved(item, rwINTEGER))
                RaiseError("Identifier or Type expected.");
            names.push_back(item.text);
            NextItem(item);  // the separator, normally ","
            if (isReserved(item, rwFROM) || item.kind == ikEnd) break;
        }
        if (!isReserved(item, rwFROM)) RaiseError("\"FROM\" expected.");
        NextItem(item);
        if (item.kind != ikTypeRef && item.kind != ikValueRef) RaiseError("Module Reference expected.");
        for (const std::string& name : names) addImport(item.text, name, Position);
    }
}

void tmibfile::parseTypeAssignment(const tmibitem& head) {
    tmibitem item;
    NextItem(item);
    if (isReserved(item, rwMACRO)) {
        do NextItem(item);
        while (item.kind != ikEnd && !isReserved(item, rwEND));
        return;
    }
    if (item.kind != ikAssign) RaiseError("\"::=\" expected.");
    addType(ParseType(head.text));
}
