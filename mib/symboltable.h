#pragma once
// The symbol table: the records of every module parsed and the name lookups over them.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mib/mibrecords.h"
#include "mib/nameindex.h"

// Scope numbers by module name (any ASCII letter case), shared by the parser objects of one run
// of imports so that records parsed in one carry the right scope in the others.
using SharedScopes = std::unordered_map<std::string, int, AnyCaseHash, AnyCaseEqual>;

// The names of one module's records, each mapped to its place among the module's records of its kind.
struct ModuleNames {
    NameIndex types, entries;
};

// The records of one module as a table stored them, to be shared with other tables.
struct ModuleRecords {
    std::vector<std::shared_ptr<const tasntype>> types;
    std::vector<std::shared_ptr<const tmibentry>> entries;
    ModuleNames names;  // of types and entries, by their places in those lists
};

// Keeps the type and value assignments of every module parsed, in parse order, each with the
// scope of its module, and finds them by name as the module that uses the name sees it.
class SymbolTable {
  public:
    // Numbers scopes through scopes, before anything is stored; records of a module parsed by
    // another table with the same scopes are then shared rather than copied by AddParsed.
    void ShareScopes(std::shared_ptr<SharedScopes> scopes) { sharedScopes_ = std::move(scopes); }

    // Starts the records of a module read from fileName; its names are a segment of their own.
    void BeginModule(const std::string& moduleName, const std::string& fileName);
    // The module begun last takes symbol from the module fromModule.
    void AddImport(const std::string& symbol, const std::string& fromModule);
    // Store a record of the module begun last, with its scope.
    const tasntype& AddType(tasntype type);
    const tmibentry& AddEntry(std::shared_ptr<tmibentry> entry);
    // After BeginModule and AddImport: the records another table stored for the module, each
    // marked Imported as imported says. Their names are taken as they are, not indexed again.
    void AddRecords(std::shared_ptr<const ModuleRecords> records, bool imported);
    // Moves out the records and names of the one module stored.
    ModuleRecords TakeRecords();

    // Lookups over everything stored so far. A name used in a module (scope, see ModuleScope) is
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
    // The scope of a module stored or imported so far (ASCII case ignored), -1 if none; records
    // carry theirs in Module.
    int ModuleScope(const std::string& moduleName) const;
    // The file a module scope was last read from; "" for a scope only named in IMPORTS.
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

  private:
    const tasntype* walkSyntax(const tmibentry& entry, std::string& value,
                               std::vector<const tasntype*>* chain) const;

    // Records are never changed once stored, so that tables may share them.
    std::vector<std::shared_ptr<const tasntype>> types_;
    std::vector<std::shared_ptr<const tmibentry>> entries_;
    // The records one module stored, in that order. A parse builds the names itself; AddRecords
    // shares those of the parse it takes, so that an import of many modules does not index their
    // names again.
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
    // The names the module begun last adds to: the last segment's, started when needed.
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
    int currentScope_ = -1;                       // of the module begun last
};
