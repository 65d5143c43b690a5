#pragma once
// The names of the MIB modules a library came from, for the device check of a capture that prints
// names ("IF-MIB::ifInOctets.1", -Of's full names): each module is looked for in the MIB folder,
// then in stdmib/, and parsed with its imports when a name first needs it, so that a capture of
// numbers parses nothing. An object's OID comes from its parent chain, as the import makes it.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "import/importlogger.h"
#include "import/moduleheaders.h"
#include "import/parsedmodules.h"
#include "import/programfiles.h"
#include "library/oidfile.h"
#include "library/oidnames.h"
#include "mib/mibfile.h"

class ModuleOidNames : public OidNames {
  public:
    // searched: the modules a name without its module is looked for in (LibraryModules). Only
    // names that IsMibName accepts are looked for: an agent "../secret/EVIL" is none.
    ModuleOidNames(std::vector<std::string> searched, std::string mibFolder, ProgramFiles program);

    std::optional<Oid> Find(std::string_view module, std::string_view name) override;
    // From the INDEX of the row: each index object's type as its SYNTAX resolves, with the named
    // numbers of an enumeration.
    std::optional<InstanceIndexes> IndexesAfter(std::string_view module, std::string_view name) override;
    // "FOO-MIB is in neither /mibs/ nor /opt/ow/stdmib/: its names are not read", once per module.
    std::vector<std::string> Problems() const override { return problems_; }
    // The module files parsed so far, the standard module included.
    int FilesParsed() const { return parsed_.FilesParsed(); }

  private:
    // The module and every module it imports, each once; what fails goes to the problems.
    void Load(const std::string& module);
    bool Add(const std::string& file, bool first, const std::string& module);
    std::optional<Oid> OidOf(const tmibentry& entry) const;
    // The object a capture's name stands for: defined in module, or with module "" the objects
    // of that name anywhere when they share one OID; nullptr for none.
    const tmibentry* Named(const std::string& module, const std::string& name) const;
    std::optional<InstanceIndexes> IndexesOf(const tmibentry& named) const;
    IndexType IndexTypeOf(const tmibentry& object) const;

    std::vector<std::string> searched_;
    bool searchedLoaded_ = false;
    std::string mibFolder_;
    ProgramFiles program_;
    tmibfile mib_;
    ParsedModules parsed_;
    ModuleHeaders headers_;
    ImportLogger searchLog_;                 // no sink: the module searches are not shown
    std::unordered_set<std::string> tried_;  // upper-cased module names
    std::map<std::pair<std::string, std::string>, std::optional<Oid>> found_;  // module, name -> OID
    std::map<std::pair<std::string, std::string>, std::optional<InstanceIndexes>> indexes_;
    std::vector<std::string> problems_;
};

// The agents of the library's entries (AGENT of "AGENT|group|name"), the modules they came from,
// each once in library order.
std::vector<std::string> LibraryModules(const toidfile& library);
