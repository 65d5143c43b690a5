#pragma once
// An agent's host as users type it, read without the network: its name and port.

#include <string>

// A host as users type it, split: "name:1161" -> {"name", "1161"}, "[2001:db8::1]:161" ->
// {"2001:db8::1", "161"}; "name" and "2001:db8::1" (more than one colon) take port "161".
struct AgentHost {
    std::string name, port;
};

AgentHost SplitAgentHost(const std::string& host);

// "" for a host whose port can be used, else what is wrong with it: "The port of
// 192.0.2.1:99999 must be a number from 1 to 65535."
std::string PortProblem(const std::string& host);
