#include "check/printedindex.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

namespace {

using Kind = IndexType::Kind;

// The InetAddressType numbers whose addresses net-snmp prints as addresses.
constexpr std::uint32_t Ipv4 = 1, Ipv6 = 2, Ipv4z = 3, Ipv6z = 4;

std::optional<std::uint32_t> ArcOf(std::string_view label) {
    std::uint32_t arc = 0;
    const auto [end, error] = std::from_chars(label.data(), label.data() + label.size(), arc);
    if (!IsArc(label) || error != std::errc() || end != label.data() + label.size()) return std::nullopt;
    return arc;
}

// A number of at most limit written in base (10 or 16), the whole text.
std::optional<std::uint32_t> NumberIn(std::string_view text, int base, std::uint32_t limit) {
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number > limit)
        return std::nullopt;
    return number;
}

// "192.0.2.1" (four bytes), "fe:80:...:01" (sixteen), either with "%zone" (four bytes more, the
// zone's number) as net-snmp prints an InetAddress of type; nothing for text of another form.
std::optional<std::vector<std::uint32_t>> AddressBytes(std::string_view text, std::uint32_t type) {
    const bool v4 = type == Ipv4 || type == Ipv4z, zoned = type == Ipv4z || type == Ipv6z;
    if (!v4 && type != Ipv6 && type != Ipv6z) return std::nullopt;
    std::optional<std::uint32_t> zone;
    if (const std::size_t percent = text.find('%'); zoned) {
        if (percent == std::string_view::npos) return std::nullopt;
        zone = NumberIn(text.substr(percent + 1), 10, UINT32_MAX);
        if (!zone) return std::nullopt;
        text = text.substr(0, percent);
    }
    std::vector<std::uint32_t> bytes;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(v4 ? '.' : ':', start), text.size());
        const std::optional<std::uint32_t> byte =
            NumberIn(text.substr(start, end - start), v4 ? 10 : 16, 255);
        if (!byte) return std::nullopt;
        bytes.push_back(*byte);
        start = end + 1;
    }
    if (bytes.size() != (v4 ? 4u : 16u)) return std::nullopt;
    if (zone)
        for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(*zone >> shift & 0xFF);
    return bytes;
}

// Reads the labels one index after the other into an OID.
class IndexReader {
  public:
    IndexReader(const std::vector<std::string_view>& labels, Oid& oid) : labels_(labels), oid_(oid) {}

    bool Done() const { return at_ == labels_.size(); }

    // The next index, of type, when labels are left; false when its label does not fit.
    bool Read(const IndexType& type) {
        if (Done()) return true;
        const std::string_view label = labels_[at_];
        if (IsArc(label)) return ReadArcs(type);
        ++at_;
        if (label.size() >= 2 && (label.front() == '"' || label.front() == '\'') &&
            label.back() == label.front())
            return ReadString(type, label.substr(1, label.size() - 2), label.front() == '"');
        if (type.kind != Kind::number) return false;
        for (const auto& [name, number] : type.labels)
            if (name == label)
                return number >= 0 && number <= UINT32_MAX && Push(static_cast<std::uint32_t>(number));
        return false;
    }

    // What is left, arc after arc: net-snmp prints the rest of an OID so once it cannot go on.
    bool ReadRest() {
        for (; !Done(); ++at_) {
            const std::optional<std::uint32_t> arc = ArcOf(labels_[at_]);
            if (!arc || !Push(*arc)) return false;
        }
        return true;
    }

  private:
    bool Push(std::uint32_t arc) {
        if (oid_.size() >= 128) return false;
        oid_.push_back(arc);
        return true;
    }

    // An index printed as arcs: a number, the four of an IpAddress, an OID with its length; a
    // string so printed means net-snmp gave up there, and the rest are arcs too.
    bool ReadArcs(const IndexType& type) {
        const std::optional<std::uint32_t> first = ArcOf(labels_[at_]);
        if (!first) return false;
        std::size_t count = 0;
        switch (type.kind) {
            case Kind::number:
                count = 1;
                break;
            case Kind::ipAddress:
                count = 4;
                break;
            case Kind::networkAddress:
                count = 5;
                break;
            case Kind::objectId:
                count = std::size_t{*first} + 1;
                break;
            default:
                return ReadRest();
        }
        if (count > labels_.size() - at_) return ReadRest();
        for (const std::size_t end = at_ + count; at_ < end; ++at_) {
            const std::optional<std::uint32_t> arc = ArcOf(labels_[at_]);
            if (!arc || !Push(*arc)) return false;
        }
        return true;
    }

    // Double quotes: a length arc, then the bytes; single quotes: the bytes alone.
    bool ReadString(const IndexType& type, std::string_view text, bool withLength) {
        if (type.kind != Kind::string && type.kind != Kind::inetAddress) return false;
        std::optional<std::vector<std::uint32_t>> bytes;
        // The InetAddressType before it tells how the address is written.
        if (type.kind == Kind::inetAddress && !oid_.empty()) bytes = AddressBytes(text, oid_.back());
        if (!bytes) {
            bytes.emplace();
            for (const char c : text) bytes->push_back(static_cast<unsigned char>(c));
        }
        if (withLength && !Push(static_cast<std::uint32_t>(bytes->size()))) return false;
        for (const std::uint32_t byte : *bytes)
            if (!Push(byte)) return false;
        return true;
    }

    const std::vector<std::string_view>& labels_;
    Oid& oid_;
    std::size_t at_ = 0;
};

}  // namespace

bool IsArc(std::string_view label) {
    return !label.empty() && label.find_first_not_of("0123456789") == std::string_view::npos;
}

bool ReadPrintedIndexes(const std::vector<std::string_view>& labels, const InstanceIndexes& indexes,
                        Oid& oid) {
    IndexReader reader(labels, oid);
    if (indexes.afterRow && !reader.Read(IndexType{Kind::number, {}})) return false;  // the column
    for (const IndexType& type : indexes.types)
        if (!reader.Read(type)) return false;
    return reader.ReadRest();
}
