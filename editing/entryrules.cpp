#include "editing/entryrules.h"

#include "library/oid.h"
#include "text/blanks.h"

std::optional<std::string> DottedDecimalOid(std::string_view text) {
    text = Trim(text, IsSpaceOrTab);
    if (!ParseOid(text)) return std::nullopt;
    if (text.front() == '.') text.remove_prefix(1);  // a parsed OID is never empty
    return std::string(text);
}

bool NameGiven(std::string_view name) {
    return !Trim(name, IsSpaceOrTab).empty();
}
