#pragma once
// The ASN.1 type parser.

#include <string>

#include "mib/mibrecords.h"

class MibLexer;

// Reads one type at the lexer's place into the compact tasntype form the import needs: a base-type
// tag, SEQUENCE or CHOICE members, a SEQUENCE OF's element type and the unsigned and 64-bit flags.
// Constraints are skipped; a single range and named numbers are kept in the record's Detail.
class TypeParser {
  public:
    explicit TypeParser(MibLexer& lexer) : lexer_(lexer) {}

    // The type named name ("none" for a type that is only part of another definition).
    tasntype Parse(const std::string& name);
    tasntype ParseNested() { return Parse("none"); }

  private:
    void parseForm(tasntype& type, tmibitem& item);
    void parseSequence(tasntype& type, tmibitem& item);
    void parseChoice(tasntype& type);
    void parseTextualConvention(tasntype& type);
    void skipConstraintTail(SyntaxDetail& detail);

    MibLexer& lexer_;
    int depth_ = 0;  // of Parse calls inside one another
};
