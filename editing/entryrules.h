#pragma once
// What the entry editor accepts on Apply.

#include <optional>
#include <string>
#include <string_view>

// The OID as dotted decimal numbers ("1.3.6.1.2.1.1.3.0"), kept as typed but for the blanks
// around it and one leading dot; nullopt for anything ParseOid refuses: an empty text, anything
// but numbers between single dots, an arc above 4294967295 or more than 128 arcs.
std::optional<std::string> DottedDecimalOid(std::string_view text);

// A display name (the key's third part) that holds more than blanks.
bool NameGiven(std::string_view name);
