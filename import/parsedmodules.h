#pragma once
// The modules one run of imports has parsed, by file, so that the modules several files import
// are read and parsed once per run.

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "mib/parsedmodule.h"

// Parses each module file on its first use and keeps the result (records or error) for the run;
// a file changed during the run is not read again.
class ParsedModules {
  public:
    // The parse of fileName as the first module of an import (the standard module) or after others,
    // strict or, with repair, repairing what a strict parse refuses (see ParseModuleFile).
    const std::shared_ptr<const ParsedModule>& Get(const std::string& fileName, bool first,
                                                   bool repair = false);
    // The parse of fileName after others that the run keeps, without taking it; nullptr when none.
    const ParsedModule* Kept(const std::string& fileName, bool repair = false) const;
    // Drops the parse of fileName after others when no more than one import took it: a file that
    // only its own import read, as a run over a folder imports most files, is not kept. A later
    // import of it parses it again.
    void ReleaseUnshared(const std::string& fileName, bool repair = false);
    int FilesParsed() const { return filesParsed_; }
    // The scope numbers of every parse of the run: a parser object taking the modules numbers
    // its scopes through them too, and then shares their records instead of copying them.
    const std::shared_ptr<SharedScopes>& Scopes() const { return scopes_; }

  private:
    struct Parse {
        std::shared_ptr<const ParsedModule> module;
        int uses = 0;  // the Get calls that took it
    };

    std::shared_ptr<SharedScopes> scopes_ = std::make_shared<SharedScopes>();
    std::map<std::tuple<std::string, bool, bool>, Parse> parsed_;
    int filesParsed_ = 0;
};
