#pragma once
// The lexical item and the records that parsing a MIB module produces.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What the lexer read.
enum TItemKind : uint8_t {
    ikTypeRef,
    ikValueRef,
    ikComment,
    ikNumber,
    ikEmptyBitString,
    ikString,
    ikLeftBrackets,
    ikRightBrackets,
    ikRange,
    ikAssign,
    ikEllipsis,
    ikSymbol,
    ikReserved,
    ikEnd
};

// The reserved words of ASN.1 the lexer knows; the nine INTEGER-group spellings all map to rwINTEGER.
enum TReservedWord : uint8_t {
    rwNone,
    rwABSENT,
    rwABSTRACT_SYNTAX,
    rwALL,
    rwAPPLICATION,
    rwAUTOMATIC,
    rwBEGIN,
    rwBIT,
    rwBMPString,
    rwBOOLEAN,
    rwBY,
    rwCHARACTER,
    rwCHOICE,
    rwCLASS,
    rwCOMPONENT,
    rwCOMPONENTS,
    rwCONSTRAINED,
    rwCONTAINING,
    rwDEFAULT,
    rwDEFINITIONS,
    rwEMBEDDED,
    rwENCODED,
    rwEND,
    rwENUMERATED,
    rwEXCEPT,
    rwEXPLICIT,
    rwEXPORTS,
    rwEXTENSIBILITY,
    rwEXTERNAL,
    rwFALSE,
    rwFROM,
    rwGeneralizedTime,
    rwGeneralString,
    rwGraphicString,
    rwIA5String,
    rwIDENTIFIER,
    rwIMPLICIT,
    rwIMPLIED,
    rwIMPORTS,
    rwINCLUDES,
    rwINSTANCE,
    rwINTEGER,
    rwINTERSECTION,
    rwISO646String,
    rwMAX,
    rwMACRO,
    rwMIN,
    rwMINUS_INFINITY,
    rwNULL,
    rwNumericString,
    rwOBJECT,
    rwObjectDescriptor,
    rwOCTET,
    rwOF,
    rwOPTIONAL,
    rwPATTERN,
    rwPDV,
    rwPLUS_INFINITY,
    rwPRESENT,
    rwPrintableString,
    rwPRIVATE,
    rwREAL,
    rwRELATIVE_OID,
    rwSEQUENCE,
    rwSET,
    rwSIZE,
    rwSTRING,
    rwT61String,
    rwTAGS,
    rwTeletexString,
    rwTRUE,
    rwTYPE_IDENTIFIER,
    rwUNION,
    rwUNIQUE,
    rwUNIVERSAL,
    rwUniversalString,
    rwUTCTime,
    rwUTF8String,
    rwVideotexString,
    rwVisibleString,
    rwWITH
};

// One lexical item; each parse routine keeps its own and hands it to NextItem again and again.
struct tmibitem {
    TItemKind kind = ikEnd;
    std::string text;
    int64_t value = 0;
    char symbol = 0;
    TReservedWord reserved = rwNone;
};

// What a syntax says beyond its base type, kept for the units and descriptions of entries:
// "TimeTicks", "Gauge32 (0..100)" or "INTEGER { up(1), down(2) }".
struct SyntaxDetail {
    std::string integerType;  // the INTEGER-group word as written ("TimeTicks"); empty for other types
    bool hasRange = false;    // the constraint is one range "(low..high)"
    int64_t rangeLow = 0, rangeHigh = 0;
    // Name and number as the module writes it ("-5", "99999999999999999999"), in source order:
    // an enumeration's value is only shown, and one beyond 64 bits is shown as it is.
    std::vector<std::pair<std::string, std::string>> namedNumbers;
};

// One type assignment, or a type met inside another definition (Name "none").
class tasntype {
  public:
    std::string Name;
    std::string BaseType;            // "@integer", "@string", ... or a type/macro name as written
    std::vector<std::string> Items;  // "member=type" lines of a SEQUENCE or CHOICE
    std::string ElementType;         // BaseType of X in SEQUENCE OF X
    bool IsUnsigned = false;
    bool Is64Bit = false;
    int Module = -1;          // the defining module's scope in the tmibfile (see ModuleScope)
    SyntaxDetail Detail;      // of the type itself, or of a textual convention's SYNTAX
    std::string DisplayHint;  // a textual convention's DISPLAY-HINT, such as "d-1"
};

// Index of the first member line whose name (text before the first "=") equals name exactly, or -1.
int ItemIndex(const tasntype& type, const std::string& name);

// One component of an OID value: a name (or "???") and a number, an arc of 0..4294967295.
struct OidPart {
    std::string name;
    uint32_t number = 0;
    bool numbered = false;  // a name written with its number, as org(3)
};

// One value assignment: a name, its macro, its clauses and its OID value.
class tmibentry {
  public:
    // The value of the first "KEYWORD=value" clause line whose keyword matches ignoring ASCII case;
    // empty when there is none.
    std::string ClauseValue(const std::string& keyword) const;

    std::string Name;
    std::vector<OidPart> OidParts;     // line 0 the parent, the others the arcs below it
    std::vector<std::string> Clauses;  // "KEYWORD=value" lines in source order
    std::string Macro;
    bool Imported = false;
    bool IsUnsigned = false;
    bool Is64Bit = false;
    std::string Augments;
    int Module = -1;      // the defining module's scope in the tmibfile (see ModuleScope)
    int32_t Line = 0;     // 1-based line of the name in its module's file (see ModuleFile)
    SyntaxDetail Syntax;  // of the SYNTAX clause as written here (not of the types it names)
    // Repair mode: an arc of the OID value written as a placeholder ("XXX" in { mib-2 XXX }), left
    // out of OidParts: the object's place is not known.
    std::string UnassignedArc;
};
