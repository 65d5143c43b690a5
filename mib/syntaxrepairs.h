#pragma once
// The repairs the module, type and value parsers make in repair mode. Each is asked where a strict
// parse raises an error; it returns false, changing nothing, when the lexer parses strictly or the
// fault is not its kind. A repair notes itself with the lexer (MibLexer::Repaired).

#include <cstdint>
#include <string>

#include "mib/mibrecords.h"

class MibLexer;

namespace syntaxrepairs {

// Module header. item: the first item of the module. Text before "NAME DEFINITIONS" or
// "NAME { oid } DEFINITIONS" (a wrapped comment line, a stray title) is skipped, item then
// holding the module name; a header without a name ("DEFINITIONS ::= BEGIN") takes the file's.
void FindModuleHeader(MibLexer& lexer, tmibitem& item);
// "s412-MIB DEFINITIONS": a module name with a small first letter.
bool LowerCaseModuleName(MibLexer& lexer, const tmibitem& item);
// item: the item after the module name. "AXIS-MIB { iso ... 368 } DEFINITIONS": the module's
// OID is skipped, item then holding the item after it.
void SkipModuleOid(MibLexer& lexer, tmibitem& item);

// After the item where a definition should start. A line of words there (a comment line that lost
// its "--", or words after a definition's "}") is skipped; the lexer then stands after it.
bool SkipStrayProse(MibLexer& lexer);

// IMPORTS. item: where a name should stand, holding FROM: "a, b, FROM M" (names read before it).
bool CommaBeforeFrom(MibLexer& lexer, const tmibitem& item, bool namesRead);
// item: where "," or FROM should stand, holding a name: "a b FROM M". The name is given back.
bool MissingImportComma(MibLexer& lexer, const tmibitem& item);

// SEQUENCE and CHOICE. item: where a member name should stand after ",", holding "}".
bool CommaBeforeBrace(MibLexer& lexer, const tmibitem& item);
// item: where a keyword should stand, holding a name that spells it in other letter case
// ("SEQUENCE Of Row").
bool SpeltInOtherCase(MibLexer& lexer, const tmibitem& item, const char* keyword);
// After a member's name: a member name follows where its type should stand
// ("ifAutoNegotiate -- comment\n ifMtu INTEGER"). The next member is read next.
bool MemberWithoutType(MibLexer& lexer, const std::string& member);
// After a member's name: "member, Type" loses its comma.
void CommaAfterMemberName(MibLexer& lexer, const std::string& member);
// item: where "," or "}" should stand after a member's type that ended at typeEnd. A "}" that the
// lexer took with the type's own "}" ("INTEGER { a(1) }\n}") ends the SEQUENCE: true, item given
// back. A member name without a comma before it: true, item given back for the next member.
bool SequenceEndedByMergedBrace(MibLexer& lexer, int32_t typeEnd);
bool MissingMemberComma(MibLexer& lexer, const tmibitem& item);

// Value assignments. After the name: "name SYNTAX ...", a definition whose OBJECT-TYPE is missing;
// entry's Macro is then OBJECT-TYPE and the clauses are read next.
bool MissingMacro(MibLexer& lexer, tmibentry& entry);
// Clauses. item: the value read after keyword. "DESCRIPTION AUGMENTS { x }": a text clause whose
// text is missing gets an empty one, the next keyword given back; "CONTACT-INFO E-mail: a@b"":
// a text without its opening quote is read up to its closing quote. item then holds the text.
void MendTextValue(MibLexer& lexer, const std::string& keyword, tmibitem& item);
// item: an OID value's item that is neither a number nor a name with its number, such as XXX in
// "{ mib-2 XXX }": an arc not assigned yet, which entry keeps (its place is not known).
// arc: the name, position: where it stands.
bool UnassignedArc(MibLexer& lexer, tmibentry& entry, const std::string& arc, int32_t position);

}  // namespace syntaxrepairs
