#pragma once
// The MIB parser object: the lexer's text state, module/type/value parsers and the records of every
// module parsed.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mib/miblexer.h"
#include "mib/mibrecords.h"
#include "mib/nameindex.h"

struct ParsedModule;

// Scope numbers by module name (any ASCII letter case), shared by the parser objects of one run
// of imports so that records parsed in one carry the right scope in the others.
using SharedScopes = std::unordered_map<std::string, int, AnyCaseHash, AnyCaseEqual>;

// The names of one module's records, each mapped to its place among the module's records of its kind.
struct ModuleNames {
    NameIndex types, entries;
};

// Takes module after module (LoadFile/LoadText, then ParseModule) and accumulates their
// type assignments, value assignments and import lists in parse order. The lexer's text state
// is this object's own (Text, Position, FileName), so it is a lexer privately and names those
// members public.
class tmibfile : private MibLexer {
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
    // Adds the records of a module parsed elsewhere as ParseModule would add them, with this
    // object's Imported flag, and writes its log lines; rethrows the error that ended its parse.
    // Text and Position stay as they are. The object keeps parsed: its names index the records.
    void AddModule(std::shared_ptr<const ParsedModule> parsed);
    // Moves the records, their names and the import lines of the one module parsed into parsed.
    void TakeModule(ParsedModule& parsed);
    // Numbers scopes through scopes, before anything is parsed; records of a module parsed by
    // another object with the same scopes are then shared rather than copied by AddModule.
    void ShareScopes(std::shared_ptr<SharedScopes> scopes) { sharedScopes_ = std::move(scopes); }
    tasntype ParseType(const std::string& name);

    // Lookups over everything parsed so far. A name used in a module (scope, see ModuleScope) is
    // looked for in that module, then in the module its IMPORTS name for it, then anywhere (the
    // first definition in parse order); an exact spelling anywhere in that order wins over any
    // other ASCII letter case. Without a scope (-1) only "anywhere" is asked.
    int EntryCount() const { return static_cast<int>(entries_.size()); }
    const tmibentry& EntryAt(int index) const { return *entries_[index]; }
    int TypeCount() const { return static_cast<int>(types_.size()); }
    const tasntype& TypeAt(int index) const { return *types_[index]; }
    const tmibentry* FindEntry(const std::string& name, int scope = -1) const;  // exact spelling only
    int EntryIndex(const std::string& name, int scope = -1) const;              // -1 if none
    int TypeIndex(const std::string& name, int scope = -1) const;               // -1 if none
    // The scope of a module parsed or imported so far (ASCII case ignored), -1 if none; records
    // carry theirs in Module.
    int ModuleScope(const std::string& moduleName) const;
    // The file a module scope was last parsed from; "" for a scope only named in IMPORTS.
    const std::string& ModuleFile(int scope) const;
    // The entry's SYNTAX followed through type assignments, each name in the scope of the record
    // that uses it: an "@" tag, an undefined type name, empty without SYNTAX, or on a circular
    // chain the name at which the chain closes.
    std::string ResolveSyntax(const tmibentry& entry) const;
    // The type record whose BaseType is the "@" tag ResolveSyntax ends on; nullptr when the
    // SYNTAX is itself a tag or does not resolve to one.
    const tasntype* ResolveSyntaxType(const tmibentry& entry) const;
    // Both in one walk: the type record as ResolveSyntaxType gives it, value as ResolveSyntax does.
    const tasntype* ResolveSyntaxType(const tmibentry& entry, std::string& value) const;
    // The type records the SYNTAX passes through, from the name it writes down to the one that
    // ends in an "@" tag (SYNTAX MyGauge with MyGauge ::= CounterBasedGauge64 gives MyGauge, then
    // CounterBasedGauge64). Empty for a tag itself; up to the break for a chain that does not resolve.
    std::vector<const tasntype*> SyntaxChain(const tmibentry& entry) const;

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
    void parseHeader();
    void parseImports();
    void skipExports();
    void parseTypeAssignment(const tmibitem& head);
    void parseValueAssignment(const tmibitem& head);
    void parseClauses(tmibentry& entry);
    void parseOidValue(tmibentry& entry);
    std::string readBracedContent(tmibitem& item);

    void parseTypeForm(tasntype& type, tmibitem& item);
    void parseSequence(tasntype& type, tmibitem& item);
    void parseChoice(tasntype& type);
    void parseTextualConvention(tasntype& type);
    void skipConstraintTail(SyntaxDetail& detail);
    tasntype parseNestedType();

    const tasntype* walkSyntax(const tmibentry& entry, std::string& value,
                               std::vector<const tasntype*>* chain) const;
    void addType(tasntype type);
    void addEntry(std::shared_ptr<tmibentry> entry);
    // addType and addEntry without the log line, for records whose Module is set.
    const tasntype& storeType(std::shared_ptr<const tasntype> type);
    const tmibentry& storeEntry(std::shared_ptr<const tmibentry> entry);
    bool logging() const;  // whether a log line is wanted: only then is it built

    // Records are never changed once stored, so that parser objects may share them.
    std::vector<std::shared_ptr<const tasntype>> types_;
    std::vector<std::shared_ptr<const tmibentry>> entries_;
    // The records one ParseModule or AddModule stored, in that order. A parse builds the names
    // itself; AddModule shares those of the parse it takes, so that an import of many modules
    // does not index their names again.
    struct NameSegment {
        int firstType, firstEntry;  // indexes of the segment's first records in types_ and entries_
        std::shared_ptr<const ModuleNames> names;
    };
    // The segments one module has, and where its IMPORTS say the others come from.
    struct ScopeNames {
        std::vector<int> segments;
        std::unordered_map<std::string, int, AnyCaseHash, AnyCaseEqual> importedFrom;  // symbol -> scope
        std::string fileName;
    };
    int scopeFor(const std::string& moduleName);
    // The names the parse of the current module adds to: the last segment's, started when needed.
    ModuleNames& namesBeingBuilt();
    // The index by exact spelling in scope order, then (with anyCase) by any case in scope order.
    int findScoped(NameIndex ModuleNames::*names, int NameSegment::*first, const std::string& name, int scope,
                   bool anyCase) const;
    // The scope the IMPORTS of scope name for name, -1 if none.
    int importedFrom(int scope, const std::string& name) const;
    // The first record of that name in scope, or else in the scope its IMPORTS name for it, and so on.
    int findInScopes(NameIndex ModuleNames::*names, int NameSegment::*first, const std::string& name,
                     int scope, bool exact) const;
    // The first record of that name anywhere, in the order stored; -1 if none.
    int findAnywhere(NameIndex ModuleNames::*names, int NameSegment::*first, std::string_view name,
                     bool exact) const;

    std::vector<NameSegment> segments_;
    std::shared_ptr<ModuleNames> building_;  // the last segment's names while a parse adds to them
    // Every record's name, for findAnywhere once asking each segment in turn has cost as much as
    // indexing them all.
    struct EveryName {
        std::size_t segmentsAsked = 0;
        bool used = false;
        ModuleNames names;
    };
    mutable EveryName everyName_;
    std::unordered_map<int, ScopeNames> scopes_;
    std::unordered_map<std::string, int, AnyCaseHash, AnyCaseEqual> scopeByModule_;  // any letter case
    std::shared_ptr<SharedScopes> sharedScopes_;  // nullptr: scopes numbered here in order
    int currentScope_ = -1;                       // of the module being parsed
    int typeDepth_ = 0;
};
