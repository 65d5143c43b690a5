#include "editing/entryrules.h"

#include "library/oid.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<std::string> DottedDecimalOid(std::string_view text) {
    text = trimmed(text);
    if (!ParseOid(text)) return std::nullopt;
    if (text.front() == '.') text.remove_prefix(1);  // a parsed OID is never empty
    return std::string(text);
}

bool NameGiven(std::string_view name) {
    return !trimmed(name).empty();
}
