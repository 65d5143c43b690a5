#pragma once
// The benchmark library: agents of 40 groups of 50 counters each, 100,000 entries in all.

#include <string>

#include "library/oidfile.h"

constexpr int BenchGroupsPerAgent = 40;
constexpr int BenchEntriesPerGroup = 50;

// Appends agents [firstAgent, firstAgent + agents) to library, each with its 2,000 counters.
inline void AddBenchAgents(toidfile& library, int firstAgent, int agents,
                           const std::string& agentPrefix = "Agent ") {
    for (int a = firstAgent; a < firstAgent + agents; ++a)
        for (int g = 0; g < BenchGroupsPerAgent; ++g)
            for (int e = 0; e < BenchEntriesPerGroup; ++e) {
                auto entry = std::make_unique<Toiddata>();
                entry->name = agentPrefix + std::to_string(a) + "|Group " + std::to_string(g) + "|Counter " +
                              std::to_string(e);
                entry->oid = "1.3.6.1.4.1.9999." + std::to_string(a) + "." + std::to_string(g) + "." +
                             std::to_string(e);
                entry->units = "Packets";
                entry->indicator = "pkts";
                entry->description = "A counter of the benchmark library.";
                library.Add(std::move(entry));
            }
}
