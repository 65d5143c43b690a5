#include "editing/entryrules.h"

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
    if (!text.empty() && text.front() == '.') text.remove_prefix(1);
    bool inNumber = false;  // the last character was a digit: a dot or the end may follow
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            inNumber = true;
        else if (c == '.' && inNumber)
            inNumber = false;
        else
            return std::nullopt;
    }
    if (!inNumber) return std::nullopt;  // empty, or ending in a dot
    return std::string(text);
}

bool NameGiven(std::string_view name) {
    return !trimmed(name).empty();
}
