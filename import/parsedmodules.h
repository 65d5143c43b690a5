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
    int FilesParsed() const { return static_cast<int>(parsed_.size()); }
    // The scope numbers of every parse of the run: a parser object taking the modules numbers
    // its scopes through them too, and then shares their records instead of copying them.
    const std::shared_ptr<SharedScopes>& Scopes() const { return scopes_; }

  private:
    std::shared_ptr<SharedScopes> scopes_ = std::make_shared<SharedScopes>();
    std::map<std::tuple<std::string, bool, bool>, std::shared_ptr<const ParsedModule>> parsed_;
};
