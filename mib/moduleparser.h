#pragma once
// The MIB module parser.

#include <cstdint>
#include <memory>
#include <string>

#include "mib/mibrecords.h"
#include "mib/typeparser.h"
#include "mib/valueparser.h"

class MibLexer;

// Receives what the module parser reads, in source order.
class ModuleSink {
  public:
    // The module's name, from its header, before anything else of it.
    virtual void BeginModule(const std::string& moduleName) = 0;
    // One imported symbol: "IMPORTS a FROM M" gives M, a and the position just after M.
    virtual void AddImport(const std::string& module, const std::string& symbol, int32_t position) = 0;
    // One type assignment, and one value assignment (MODULE-COMPLIANCE and AGENT-CAPABILITIES
    // make none).
    virtual void AddType(tasntype type) = 0;
    virtual void AddEntry(std::shared_ptr<tmibentry> entry) = 0;

  protected:
    ~ModuleSink() = default;
};

// Reads one module from the lexer's place up to its END: the header, the IMPORTS, and every
// assignment through the type and value parsers. EXPORTS, MACRO definitions, MODULE-COMPLIANCE
// and AGENT-CAPABILITIES are skipped.
class ModuleParser {
  public:
    ModuleParser(MibLexer& lexer, ModuleSink& sink)
        : lexer_(lexer), sink_(sink), types_(lexer), values_(lexer, types_) {}

    void Parse();

  private:
    void parseHeader();
    void parseImports();
    void skipExports();
    void parseTypeAssignment(const tmibitem& head);

    MibLexer& lexer_;
    ModuleSink& sink_;
    TypeParser types_;
    ValueParser values_;
};
