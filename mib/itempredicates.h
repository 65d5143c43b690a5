#pragma once
// Small predicates and scopes shared by the module, type and value parsers.

#include "mib/mibrecords.h"

inline bool isSymbol(const tmibitem& item, char c) {
    return item.kind == ikSymbol && item.symbol == c;
}
inline bool isReserved(const tmibitem& item, TReservedWord word) {
    return item.kind == ikReserved && item.reserved == word;
}

// Sets a lexer flag for one scope and clears it however the scope is left, so an error
// cannot leave it set for the next module.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
};
