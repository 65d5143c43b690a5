#pragma once
// Record names to record indexes for the parser's lookups: first definition wins, an exact
// spelling before any other letter case.

#include <string>
#include <unordered_map>

// What one index knows of a name: the first record spelled exactly so, and the first in any
// ASCII letter case (-1 when none).
struct tnamehit {
    int exact = -1;
    int anyCase = -1;
};

class tnameindex {
  public:
    // name must outlive the index (the records own their names and are never removed).
    void Add(const std::string& name, const std::string& key, int index);
    // key is name upper-cased.
    tnamehit Find(const std::string& name, const std::string& key) const;

  private:
    struct tfirst {
        int index;
        const std::string* spelling;
        bool otherSpellings;  // the key is also spelled otherwise; those are in otherSpellings_
    };
    std::unordered_map<std::string, tfirst> byKey_;
    std::unordered_map<std::string, int> otherSpellings_;
};
