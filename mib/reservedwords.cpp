#include "mib/reservedwords.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <unordered_map>

#include "text/asciicase.h"

namespace {

// One row of the reserved-word table. Rows without case sensitivity carry their upper-case form.
struct TReserved {
    const char* word;
    const char* upperWord;
    TReservedWord reserved;
    bool caseSensitive;
};

// clang-format off
constexpr TReserved reservedTable[] = {
    {"ABSENT", "", rwABSENT, true},
    {"ABSTRACT-SYNTAX", "", rwABSTRACT_SYNTAX, true},
    {"ALL", "", rwALL, true},
    {"APPLICATION", "", rwAPPLICATION, true},
    {"AUTOMATIC", "", rwAUTOMATIC, true},
    {"BEGIN", "", rwBEGIN, true},
    {"BIT", "", rwBIT, true},
    {"BMPString", "", rwBMPString, true},
    {"BOOLEAN", "", rwBOOLEAN, true},
    {"BY", "", rwBY, true},
    {"CHARACTER", "", rwCHARACTER, true},
    {"CHOICE", "", rwCHOICE, true},
    {"CLASS", "", rwCLASS, true},
    {"COMPONENT", "", rwCOMPONENT, true},
    {"COMPONENTS", "", rwCOMPONENTS, true},
    {"CONSTRAINED", "", rwCONSTRAINED, true},
    {"CONTAINING", "", rwCONTAINING, true},
    {"Counter", "COUNTER", rwINTEGER, false},
    {"Counter32", "COUNTER32", rwINTEGER, false},
    {"Counter64", "COUNTER64", rwINTEGER, false},
    {"DEFAULT", "", rwDEFAULT, true},
    {"DEFINITIONS", "", rwDEFINITIONS, true},
    {"EMBEDDED", "", rwEMBEDDED, true},
    {"ENCODED", "", rwENCODED, true},
    {"END", "", rwEND, true},
    {"ENUMERATED", "", rwENUMERATED, true},
    {"EXCEPT", "", rwEXCEPT, true},
    {"EXPLICIT", "", rwEXPLICIT, true},
    {"EXPORTS", "", rwEXPORTS, true},
    {"EXTENSIBILITY", "", rwEXTENSIBILITY, true},
    {"EXTERNAL", "", rwEXTERNAL, true},
    {"FALSE", "", rwFALSE, true},
    {"FROM", "", rwFROM, true},
    {"Gauge", "GAUGE", rwINTEGER, false},
    {"Gauge32", "GAUGE32", rwINTEGER, false},
    {"GeneralizedTime", "", rwGeneralizedTime, true},
    {"GeneralString", "", rwGeneralString, true},
    {"GraphicString", "", rwGraphicString, true},
    {"IA5String", "", rwIA5String, true},
    {"IDENTIFIER", "", rwIDENTIFIER, true},
    {"IMPLICIT", "", rwIMPLICIT, true},
    {"IMPLIED", "", rwIMPLIED, true},
    {"IMPORTS", "", rwIMPORTS, true},
    {"INCLUDES", "", rwINCLUDES, true},
    {"INSTANCE", "", rwINSTANCE, true},
    {"INTEGER", "INTEGER", rwINTEGER, false},
    {"Integer32", "INTEGER32", rwINTEGER, false},
    {"INTERSECTION", "", rwINTERSECTION, true},
    {"ISO646String", "", rwISO646String, true},
    {"MAX", "", rwMAX, true},
    {"MACRO", "", rwMACRO, true},
    {"MIN", "", rwMIN, true},
    {"MINUS-INFINITY", "", rwMINUS_INFINITY, true},
    {"NULL", "", rwNULL, true},
    {"NumericString", "", rwNumericString, true},
    {"OBJECT", "", rwOBJECT, true},
    {"ObjectDescriptor", "", rwObjectDescriptor, true},
    {"OCTET", "", rwOCTET, true},
    {"OF", "", rwOF, true},
    {"OPTIONAL", "", rwOPTIONAL, true},
    {"PATTERN", "", rwPATTERN, true},
    {"PDV", "", rwPDV, true},
    {"PLUS-INFINITY", "", rwPLUS_INFINITY, true},
    {"PRESENT", "", rwPRESENT, true},
    {"PrintableString", "", rwPrintableString, true},
    {"PRIVATE", "", rwPRIVATE, true},
    {"REAL", "", rwREAL, true},
    {"RELATIVE-OID", "", rwRELATIVE_OID, true},
    {"SEQUENCE", "", rwSEQUENCE, true},
    {"SET", "", rwSET, true},
    {"SIZE", "", rwSIZE, true},
    {"STRING", "", rwSTRING, true},
    {"T61String", "", rwT61String, true},
    {"TAGS", "", rwTAGS, true},
    {"TeletexString", "", rwTeletexString, true},
    {"TimeTicks", "TIMETICKS", rwINTEGER, false},
    {"TRUE", "", rwTRUE, true},
    {"TYPE-IDENTIFIER", "", rwTYPE_IDENTIFIER, true},
    {"UNION", "", rwUNION, true},
    {"UNIQUE", "", rwUNIQUE, true},
    {"UNIVERSAL", "", rwUNIVERSAL, true},
    {"UniversalString", "", rwUniversalString, true},
    {"Unsigned32", "UNSIGNED32", rwINTEGER, false},
    {"UTCTime", "", rwUTCTime, true},
    {"UTF8String", "", rwUTF8String, true},
    {"VideotexString", "", rwVideotexString, true},
    {"VisibleString", "", rwVisibleString, true},
    {"WITH", "", rwWITH, true},
};
// clang-format on
static_assert(std::size(reservedTable) == 88);

// No identifier matches both a case-sensitive row and an INTEGER-group row (their upper-case
// forms differ), so two hash maps give the same first match as scanning the rows in order.
// Most identifiers of a module start with a letter no reserved word starts with (in its
// letter case, or upper-cased for the INTEGER group) or are longer than the INTEGER group's
// words; those are answered without hashing or upper-casing.
struct ReservedIndex {
    std::unordered_map<std::string, TReservedWord> exact;
    std::unordered_map<std::string, TReservedWord> upperCase;
    std::bitset<256> exactFirst, upperFirst;
    size_t longestUpper = 0;
    ReservedIndex() {
        for (const TReserved& row : reservedTable) {
            if (row.caseSensitive) {
                exact.emplace(row.word, row.reserved);
                exactFirst.set(static_cast<unsigned char>(row.word[0]));
            } else {
                upperCase.emplace(row.upperWord, row.reserved);
                upperFirst.set(static_cast<unsigned char>(row.upperWord[0]));
                longestUpper = std::max(longestUpper, std::strlen(row.upperWord));
            }
        }
    }
};

}  // namespace

TReservedWord LookupReserved(const std::string& identifier) {
    static const ReservedIndex index;
    if (identifier.empty()) return rwNone;
    const unsigned char first = static_cast<unsigned char>(identifier[0]);
    if (index.exactFirst[first])
        if (auto it = index.exact.find(identifier); it != index.exact.end()) return it->second;
    if (identifier.size() > index.longestUpper ||
        !index.upperFirst[static_cast<unsigned char>(asciicase::upper(static_cast<char>(first)))])
        return rwNone;
    if (auto it = index.upperCase.find(asciicase::upper(identifier)); it != index.upperCase.end())
        return it->second;
    return rwNone;
}
