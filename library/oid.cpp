#include "library/oid.h"

#include <algorithm>

std::optional<Oid> ParseOid(std::string_view text) {
    if (!text.empty() && text.front() == '.') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    Oid oid;
    std::uint64_t arc = 0;
    bool digits = false;
    for (const char c : text) {
        if (c == '.') {
            if (!digits || oid.size() >= 127) return std::nullopt;
            oid.push_back(static_cast<std::uint32_t>(arc));
            arc = 0;
            digits = false;
        } else if (c >= '0' && c <= '9') {
            arc = arc * 10 + static_cast<unsigned>(c - '0');
            if (arc > 0xFFFFFFFFu) return std::nullopt;
            digits = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    oid.push_back(static_cast<std::uint32_t>(arc));
    return oid;
}

std::string FormatOid(const Oid& oid) {
    std::string text;
    for (const std::uint32_t arc : oid) {
        if (!text.empty()) text += '.';
        text += std::to_string(arc);
    }
    return text;
}

bool OidStartsWith(const Oid& oid, const Oid& prefix) {
    return oid.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}
