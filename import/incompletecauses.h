#pragma once
// Why an import is incomplete, each cause in the words the reports, the window's warning and
// oidwright-import --each use, so that none of them points the wrong way.

#include <string>
#include <vector>

namespace incompletecauses {

inline constexpr const char* UndefinedParent =
    "a parent is defined nowhere, so an OID does not reach the root";
inline constexpr const char* MissingAugmentedRow = "a row that another row augments is defined nowhere";
inline constexpr const char* ParentLoop = "a parent chain loops back on itself";
inline constexpr const char* NoParent = "an OID names no parent";

// "an OID runs deeper than the 128 arcs SNMP allows"
std::string TooDeep();
// "unknown type Countr32", "circular type FxLoopA"
std::string UnreadableType(const std::string& type, bool circular);

// The causes in one line, the first three named: "unknown type Countr32; circular type FxLoopA".
std::string Summary(const std::vector<std::string>& causes);

}  // namespace incompletecauses
