#pragma once
// The names of a save's temporary files, the same on every system.

#include <string>
#include <string_view>

namespace platform {

// A fresh name ".oidwright-" 16 hex digits ".tmp": short enough for any folder that holds the
// target, hidden from folder listings, and recognised as the program's own.
std::string TemporaryName();

// Whether name is one TemporaryName could give: ".oidwright-0123456789abcdef.tmp" is,
// ".oidwright-0123.tmp" and "lib.oidlib.tmp" are not.
bool IsTemporaryName(std::string_view name);

}  // namespace platform
