#include "check/deviceanswers.h"

#include <algorithm>
#include <iterator>

const char* AnswerTypeName(AnswerType type) {
    switch (type) {
        case AnswerType::Integer:
            return "INTEGER";
        case AnswerType::Unsigned32:
            return "Unsigned32";
        case AnswerType::Gauge32:
            return "Gauge32";
        case AnswerType::Counter32:
            return "Counter32";
        case AnswerType::TimeTicks:
            return "TimeTicks";
        case AnswerType::Counter64:
            return "Counter64";
        case AnswerType::Integer64:
            return "Integer64";
        case AnswerType::Unsigned64:
            return "Unsigned64";
        case AnswerType::Float:
            return "Float";
        case AnswerType::OctetString:
            return "OCTET STRING";
        case AnswerType::Bits:
            return "BITS";
        case AnswerType::ObjectId:
            return "OBJECT IDENTIFIER";
        case AnswerType::IpAddress:
            return "IpAddress";
        case AnswerType::Opaque:
            return "Opaque";
        case AnswerType::Null:
            return "NULL";
        case AnswerType::NoSuchObject:
            return "noSuchObject";
        case AnswerType::NoSuchInstance:
            return "noSuchInstance";
        case AnswerType::EndOfMibView:
            return "endOfMibView";
        case AnswerType::Other:
            break;
    }
    return "an unknown type";
}

bool IsException(AnswerType type) {
    return type == AnswerType::NoSuchObject || type == AnswerType::NoSuchInstance ||
           type == AnswerType::EndOfMibView;
}

DeviceAnswers::DeviceAnswers(std::vector<Oid> kept) {
    std::sort(kept.begin(), kept.end());
    // Sorted, a subtree follows the one that contains it.
    for (Oid& oid : kept)
        if (kept_.empty() || !OidStartsWith(oid, kept_.back())) kept_.push_back(std::move(oid));
}

bool DeviceAnswers::Keeps(const Oid& oid) const {
    if (kept_.empty()) return true;
    // The only subtree that can hold oid is the last one that sorts before or at it.
    const auto after = std::upper_bound(kept_.begin(), kept_.end(), oid);
    return after != kept_.begin() && OidStartsWith(oid, *std::prev(after));
}

bool DeviceAnswers::Add(const Oid& oid, AnswerType type, std::string_view text) {
    if (!Keeps(oid)) return false;
    values_[oid] = type;
    if (type == AnswerType::OctetString)
        texts_[oid] = text;
    else
        texts_.erase(oid);
    return true;
}

const std::string* DeviceAnswers::TextOf(const Oid& oid) const {
    const auto found = texts_.find(oid);
    return found == texts_.end() ? nullptr : &found->second;
}

const AnswerType* DeviceAnswers::Find(const Oid& oid) const {
    const auto found = values_.find(oid);
    return found == values_.end() ? nullptr : &found->second;
}

SubtreeAnswers DeviceAnswers::Below(const Oid& prefix) const {
    SubtreeAnswers below;
    // Everything below prefix sorts after it and before the next OID outside the subtree.
    for (auto it = values_.upper_bound(prefix); it != values_.end() && OidStartsWith(it->first, prefix);
         ++it) {
        if (!IsException(it->second)) ++below.instances;
        if (std::find(below.types.begin(), below.types.end(), it->second) == below.types.end())
            below.types.push_back(it->second);
    }
    return below;
}

std::vector<Oid> DeviceAnswers::RowsBelow(const Oid& prefix) const {
    std::vector<Oid> rows;
    for (auto it = values_.upper_bound(prefix); it != values_.end() && OidStartsWith(it->first, prefix); ++it)
        if (!IsException(it->second)) rows.emplace_back(it->first.begin() + prefix.size(), it->first.end());
    return rows;
}
