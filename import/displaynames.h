#pragma once
// Readable lower-case names made from run-together MIB identifiers.

#include <string>
#include <utility>
#include <vector>

// One line of replacelist.txt: a word and its replacement.
using Replacement = std::pair<std::string, std::string>;

// Reads replacelist.txt (lines of word=replacement, split at the first "=").
// A missing file gives an empty list; a line without "=" has no effect.
std::vector<Replacement> LoadReplaceList(const std::string& fileName);

// Turns identifiers into display words, keeping the description's abbreviations whole.
class DisplayNames {
  public:
    // Sorted without regard to case, no duplicates; refilled per object.
    std::vector<std::string> Abbreviations;
    std::vector<Replacement> ReplaceList;
    // With units from the MIB: a run of capitals stays one word in its own case and the
    // description's abbreviations are not needed ("ifHCInOctets" -> "if HC in octets").
    bool KeepCapitalRuns = false;

    // Collects every word of the description with two or more capitals A..Z.
    void CollectAbbreviations(const std::string& description);

    // "ifInOctets" -> "if in octets"; with "CPU" collected, "hrCPULoad" -> "hr cpu load"; with
    // KeepCapitalRuns "hrSWRunPerfCPU" -> "hr SW run perf CPU", "ifInNUcastPkts" -> "if in NUcast pkts".
    std::string MakeDisplayName(std::string text, bool splitAbbreviations) const;

  private:
    std::string SplitKeepingCapitalRuns(const std::string& text) const;
    void AddAbbreviation(const std::string& word);
    void IsolateAbbreviations(std::string& text) const;
    void ApplyReplacements(std::string& text) const;
};
