#include "mib/reservedwords.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "mib/nameindex.h"
#include "text/asciicase.h"

namespace {

// One row of the reserved-word table.
struct TReserved {
    const char* word;
    TReservedWord reserved;
    bool caseSensitive;
};

// clang-format off
constexpr TReserved reservedTable[] = {
    {"ABSENT", rwABSENT, true},
    {"ABSTRACT-SYNTAX", rwABSTRACT_SYNTAX, true},
    {"ALL", rwALL, true},
    {"APPLICATION", rwAPPLICATION, true},
    {"AUTOMATIC", rwAUTOMATIC, true},
    {"BEGIN", rwBEGIN, true},
    {"BIT", rwBIT, true},
    {"BMPString", rwBMPString, true},
    {"BOOLEAN", rwBOOLEAN, true},
    {"BY", rwBY, true},
    {"CHARACTER", rwCHARACTER, true},
    {"CHOICE", rwCHOICE, true},
    {"CLASS", rwCLASS, true},
    {"COMPONENT", rwCOMPONENT, true},
    {"COMPONENTS", rwCOMPONENTS, true},
    {"CONSTRAINED", rwCONSTRAINED, true},
    {"CONTAINING", rwCONTAINING, true},
    {"Counter", rwINTEGER, false},
    {"Counter32", rwINTEGER, false},
    {"Counter64", rwINTEGER, false},
    {"DEFAULT", rwDEFAULT, true},
    {"DEFINITIONS", rwDEFINITIONS, true},
    {"EMBEDDED", rwEMBEDDED, true},
    {"ENCODED", rwENCODED, true},
    {"END", rwEND, true},
    {"ENUMERATED", rwENUMERATED, true},
    {"EXCEPT", rwEXCEPT, true},
    {"EXPLICIT", rwEXPLICIT, true},
    {"EXPORTS", rwEXPORTS, true},
    {"EXTENSIBILITY", rwEXTENSIBILITY, true},
    {"EXTERNAL", rwEXTERNAL, true},
    {"FALSE", rwFALSE, true},
    {"FROM", rwFROM, true},
    {"Gauge", rwINTEGER, false},
    {"Gauge32", rwINTEGER, false},
    {"GeneralizedTime", rwGeneralizedTime, true},
    {"GeneralString", rwGeneralString, true},
    {"GraphicString", rwGraphicString, true},
    {"IA5String", rwIA5String, true},
    {"IDENTIFIER", rwIDENTIFIER, true},
    {"IMPLICIT", rwIMPLICIT, true},
    {"IMPLIED", rwIMPLIED, true},
    {"IMPORTS", rwIMPORTS, true},
    {"INCLUDES", rwINCLUDES, true},
    {"INSTANCE", rwINSTANCE, true},
    {"INTEGER", rwINTEGER, false},
    {"Integer32", rwINTEGER, false},
    {"INTERSECTION", rwINTERSECTION, true},
    {"ISO646String", rwISO646String, true},
    {"MAX", rwMAX, true},
    {"MACRO", rwMACRO, true},
    {"MIN", rwMIN, true},
    {"MINUS-INFINITY", rwMINUS_INFINITY, true},
    {"NULL", rwNULL, true},
    {"NumericString", rwNumericString, true},
    {"OBJECT", rwOBJECT, true},
    {"ObjectDescriptor", rwObjectDescriptor, true},
    {"OCTET", rwOCTET, true},
    {"OF", rwOF, true},
    {"OPTIONAL", rwOPTIONAL, true},
    {"PATTERN", rwPATTERN, true},
    {"PDV", rwPDV, true},
    {"PLUS-INFINITY", rwPLUS_INFINITY, true},
    {"PRESENT", rwPRESENT, true},
    {"PrintableString", rwPrintableString, true},
    {"PRIVATE", rwPRIVATE, true},
    {"REAL", rwREAL, true},
    {"RELATIVE-OID", rwRELATIVE_OID, true},
    {"SEQUENCE", rwSEQUENCE, true},
    {"SET", rwSET, true},
    {"SIZE", rwSIZE, true},
    {"STRING", rwSTRING, true},
    {"T61String", rwT61String, true},
    {"TAGS", rwTAGS, true},
    {"TeletexString", rwTeletexString, true},
    {"TimeTicks", rwINTEGER, false},
    {"TRUE", rwTRUE, true},
    {"TYPE-IDENTIFIER", rwTYPE_IDENTIFIER, true},
    {"UNION", rwUNION, true},
    {"UNIQUE", rwUNIQUE, true},
    {"UNIVERSAL", rwUNIVERSAL, true},
    {"UniversalString", rwUniversalString, true},
    {"Unsigned32", rwINTEGER, false},
    {"UTCTime", rwUTCTime, true},
    {"UTF8String", rwUTF8String, true},
    {"VideotexString", rwVideotexString, true},
    {"VisibleString", rwVisibleString, true},
    {"WITH", rwWITH, true},
};
// clang-format on
static_assert(std::size(reservedTable) == 88);

// The rows differ from one another in more than letter case, so one map that ignores case finds
// the only row an identifier can match; a case-sensitive row then still asks for its exact
// spelling. Most identifiers of a module start with a letter no reserved word starts with (in
// the case it may be written in), or are longer than every word that does: those are answered
// without hashing.
struct ReservedIndex {
    std::unordered_map<std::string_view, const TReserved*, AnyCaseHash, AnyCaseEqual> rows;
    std::array<std::size_t, 256> longestFrom{};  // by first letter
    ReservedIndex() {
        for (const TReserved& row : reservedTable) {
            const std::string_view word = row.word;
            rows.emplace(word, &row);
            const auto allow = [&](char first) {
                std::size_t& longest = longestFrom[static_cast<unsigned char>(first)];
                longest = std::max(longest, word.size());
            };
            allow(word[0]);
            if (!row.caseSensitive) {
                allow(asciicase::Upper(word[0]));
                allow(asciicase::Lower(word[0]));
            }
        }
    }
};

}  // namespace

TReservedWord LookupReserved(std::string_view identifier) {
    static const ReservedIndex index;
    if (identifier.empty() ||
        identifier.size() > index.longestFrom[static_cast<unsigned char>(identifier[0])])
        return rwNone;
    const auto found = index.rows.find(identifier);
    if (found == index.rows.end()) return rwNone;
    const TReserved& row = *found->second;
    return !row.caseSensitive || identifier == row.word ? row.reserved : rwNone;
}
