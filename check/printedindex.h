#pragma once
// Reads back the indexes net-snmp prints as text when it has the MIBs of a table: a string in
// double quotes with its length arc left out ("eth0"), in single quotes without a length (an
// IMPLIED or fixed-size string: 'linkUp'), an InetAddress as its address ("127.0.0.1",
// "fe:80:...:01"), an enumerated number by its label (ipv4); any other index as its arcs.
//
//   ipAddressIfIndex . ipv4."127.0.0.1"  with {InetAddressType, InetAddress} -> 1.4.127.0.0.1
//   vacmAccessStatus . "grp"."".3.noAuthNoPriv  -> 3.103.114.112.0.3.1

#include <string_view>
#include <vector>

#include "library/oid.h"
#include "library/oidnames.h"

// Appends the arcs of the labels after a name (quotes kept) to oid, reading them through the
// indexes that follow the name; false when they do not fit those indexes, or the OID would pass
// 128 arcs. Labels past the indexes must be arcs. Bytes net-snmp printed as "." (those it finds
// unprintable) are read as "."; it prints no sign of them.
bool ReadPrintedIndexes(const std::vector<std::string_view>& labels, const InstanceIndexes& indexes,
                        Oid& oid);

// True for a label that is one arc: digits only.
bool IsArc(std::string_view label);
