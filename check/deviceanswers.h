#pragma once
// What a device answered: the SNMP type of every variable a walk or a capture returned,
// in OID order, so that the variables under an OID are one contiguous range, and the text of
// its strings, which may name the rows of tables.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "library/oid.h"

enum class AnswerType : std::uint8_t {
    Integer,
    Unsigned32,
    Gauge32,
    Counter32,
    TimeTicks,
    Counter64,
    Integer64,
    Unsigned64,
    Float,
    OctetString,
    Bits,
    ObjectId,
    IpAddress,
    Opaque,
    Null,
    NoSuchObject,
    NoSuchInstance,
    EndOfMibView,  // the agent's exceptions: no value
    Other,
};

// The SMI name of a type, as remarks show it: "Counter32", "OCTET STRING", "noSuchObject".
const char* AnswerTypeName(AnswerType type);
bool IsException(AnswerType type);

// The variables under one OID.
struct SubtreeAnswers {
    int instances = 0;              // variables with a value (exceptions not counted)
    std::vector<AnswerType> types;  // each type met, exceptions included, in first-met order
};

// The ordered set of variables a device returned, each with its type; optionally only those
// some entry needs.
class DeviceAnswers {
  public:
    // kept: the subtrees whose variables are kept (each OID itself included); none keeps all.
    explicit DeviceAnswers(std::vector<Oid> kept = {});
    bool Keeps(const Oid& oid) const;
    // A later answer for the same OID replaces the earlier one; false (and nothing kept) for
    // an OID outside the kept subtrees. text, the value as printed, is kept for an OCTET STRING.
    bool Add(const Oid& oid, AnswerType type, std::string_view text = {});
    const AnswerType* Find(const Oid& oid) const;
    // The text of the OCTET STRING at oid, nullptr for any other answer or none.
    const std::string* TextOf(const Oid& oid) const;
    // The variables strictly below prefix.
    SubtreeAnswers Below(const Oid& prefix) const;
    // The arcs after prefix of each variable with a value strictly below it, in OID order:
    // the rows of a table column.
    std::vector<Oid> RowsBelow(const Oid& prefix) const;
    std::size_t Count() const { return values_.size(); }
    const std::map<Oid, AnswerType>& Values() const { return values_; }

  private:
    std::vector<Oid> kept_;  // sorted, none inside another
    std::map<Oid, AnswerType> values_;
    std::map<Oid, std::string> texts_;
};
