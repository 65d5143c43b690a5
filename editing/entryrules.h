#pragma once
// What the entry editor accepts on Apply.

#include <optional>
#include <string>
#include <string_view>

// The OID as dotted decimal numbers ("1.3.6.1.2.1.1.3.0"): blanks around it and one leading dot
// are dropped; nullopt when what remains is empty or anything but numbers between single dots.
std::optional<std::string> DottedDecimalOid(std::string_view text);

// A display name (the key's third part) that holds more than blanks.
bool NameGiven(std::string_view name);
