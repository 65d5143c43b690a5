#pragma once
// Where net-snmp sends a check's requests: the host of the settings looked up to an address on
// a thread of its own, so that a slow name service never holds a check that is cancelled.

#include <functional>
#include <string>

// Asked at least every 100 ms while a check waits; false cancels the wait.
using KeepWaiting = std::function<bool()>;

// "name", "name:1161", "192.0.2.1", "[2001:db8::1]:161", "2001:db8::1" -> net-snmp's peer
// name for the first address found: "udp:192.0.2.7:1161", "udp6:[2001:db8::1]:161". Throws
// CheckError badSettings for a port that is no number from 1 to 65535, unknownHost
// ("Unknown host: name") or cancelled.
std::string LookUpAgent(const std::string& host, const KeepWaiting& keepWaiting);

// A host name's first address as text ("192.0.2.7", "2001:db8::1"), or "" when it has none.
using NameLookup = std::function<std::string(const std::string& name)>;
// Replaces the system's look-up (getaddrinfo) for names that are no address; tests put in one
// that takes its time. An empty lookup puts the system's back.
void ReplaceNameLookup(NameLookup lookup);
