#pragma once
// Lookup of ASN.1 reserved words for the lexer.

#include <string_view>

#include "mib/mibrecords.h"

// The reserved word an identifier stands for, or rwNone. The nine INTEGER-group spellings
// ("Counter32", "Gauge32", "TimeTicks", ...) match in any letter case and all give rwINTEGER;
// every other word matches exactly ("begin" is no reserved word).
TReservedWord LookupReserved(std::string_view identifier);
