#pragma once
// The value-assignment parser.

#include <memory>
#include <string>

#include "mib/mibrecords.h"

class MibLexer;
class TypeParser;

// Reads a value assignment into a tmibentry: OBJECT-TYPE and every other macro use by one clause
// scheme, keeping each clause as keyword and value text, and the OID value after "::=".
class ValueParser {
  public:
    ValueParser(MibLexer& lexer, TypeParser& types) : lexer_(lexer), types_(types) {}

    // The entry named by head, the value name the module body read; nullptr for MODULE-COMPLIANCE
    // and AGENT-CAPABILITIES, which the type parser reads whole.
    std::shared_ptr<tmibentry> Parse(const tmibitem& head);

  private:
    void parseClauses(tmibentry& entry);
    void parseOidValue(tmibentry& entry);
    std::string readBracedContent(tmibitem& item);

    MibLexer& lexer_;
    TypeParser& types_;
};
