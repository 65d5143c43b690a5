#pragma once
// The MIB parser object: the lexer's text state, and the records of every module parsed.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mib/miblexer.h"
#include "mib/moduleparser.h"
#include "mib/symboltable.h"

struct ParsedModule;

// Takes module after module (LoadFile/LoadText, then ParseModule) and accumulates their
// type assignments, value assignments and import lists in parse order. The stages behind it:
// the lexer reads the text (MibLexer), the module, type and value parsers read it into records
// (ModuleParser, TypeParser, ValueParser), the symbol table keeps them and finds them by name
// (SymbolTable). The lexer's text state is this object's own (Text, Position, FileName), so it
// is a lexer privately and names those members public; it takes what the module parser reads.
class tmibfile : private MibLexer, private ModuleSink {
  public:
    tmibfile() = default;
    tmibfile(const tmibfile&) = delete;
    tmibfile& operator=(const tmibfile&) = delete;

    using MibLexer::FileName;
    using MibLexer::LoadFile;
    using MibLexer::LoadText;
    using MibLexer::NextItem;
    using MibLexer::PeekLength;
    using MibLexer::PeekWord;
    using MibLexer::Position;
    using MibLexer::RaiseError;
    using MibLexer::Text;
    // The lexer with its context flags, which the parsers set.
    MibLexer& Lexer() { return *this; }
    const MibLexer& Lexer() const { return *this; }

    // Parsers.
    void ParseModule();
    tasntype ParseType(const std::string& name);
    // Adds the records of a module parsed elsewhere as ParseModule would add them, with this
    // object's Imported flag, and writes its log lines; rethrows the error that ended its parse.
    // Text and Position stay as they are. The object keeps parsed: its names index the records.
    void AddModule(std::shared_ptr<const ParsedModule> parsed);
    // Moves the records, their names and the import lines of the one module parsed into parsed.
    void TakeModule(ParsedModule& parsed);
    // Numbers scopes through scopes, before anything is parsed; records of a module parsed by
    // another object with the same scopes are then shared rather than copied by AddModule.
    void ShareScopes(std::shared_ptr<SharedScopes> scopes) { symbols_.ShareScopes(std::move(scopes)); }

    // Lookups over everything parsed so far (see SymbolTable).
    int EntryCount() const { return symbols_.EntryCount(); }
    const tmibentry& EntryAt(int index) const { return symbols_.EntryAt(index); }
    int TypeCount() const { return symbols_.TypeCount(); }
    const tasntype& TypeAt(int index) const { return symbols_.TypeAt(index); }
    const tmibentry* FindEntry(const std::string& name, int scope = -1) const {
        return symbols_.FindEntry(name, scope);
    }
    int EntryIndex(const std::string& name, int scope = -1) const { return symbols_.EntryIndex(name, scope); }
    int TypeIndex(const std::string& name, int scope = -1) const { return symbols_.TypeIndex(name, scope); }
    int ModuleScope(const std::string& moduleName) const { return symbols_.ModuleScope(moduleName); }
    const std::string& ModuleFile(int scope) const { return symbols_.ModuleFile(scope); }
    std::string ResolveSyntax(const tmibentry& entry) const { return symbols_.ResolveSyntax(entry); }
    const tasntype* ResolveSyntaxType(const tmibentry& entry) const {
        return symbols_.ResolveSyntaxType(entry);
    }
    const tasntype* ResolveSyntaxType(const tmibentry& entry, std::string& value) const {
        return symbols_.ResolveSyntaxType(entry, value);
    }
    std::vector<const tasntype*> SyntaxChain(const tmibentry& entry) const {
        return symbols_.SyntaxChain(entry);
    }

    // The module an ImportList line takes its symbol from: "SNMPv2-SMI:enterprises" gives "SNMPv2-SMI".
    std::string ImportModule(std::size_t line) const;

    std::string ModuleName;
    std::vector<std::string> ImportList;       // "Module:Symbol"
    std::vector<std::string> ImportPositions;  // decimal Position after the FROM module name
    std::vector<std::string> ImportFiles;      // FileName of the importing module

    std::function<void(tmibfile&, const std::string&)> OnLog;
    int32_t LogLevel = 1;
    bool Imported = false;

  private:
    void BeginModule(const std::string& moduleName) override;
    void AddImport(const std::string& module, const std::string& symbol, int32_t position) override;
    void AddType(tasntype type) override;
    void AddEntry(std::shared_ptr<tmibentry> entry) override;

    bool logging() const;  // whether a log line is wanted: only then is it built

    SymbolTable symbols_;
};
