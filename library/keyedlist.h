#pragma once
// Ordered "key=value" lines looked up by key without regard to ASCII case.

#include <string>
#include <unordered_map>
#include <vector>

class KeyedList {
  public:
    struct Line {
        std::string key;
        std::string value;
    };

    // Replaces the value of an existing key in place, appends a new key,
    // and removes the line when value is empty.
    void Set(const std::string& key, const std::string& value);
    const std::string* Find(const std::string& key) const;  // nullptr when absent
    int Count() const { return static_cast<int>(lines_.size()); }
    bool Empty() const { return lines_.empty(); }
    const std::vector<Line>& Lines() const { return lines_; }
    void Clear();

  private:
    std::vector<Line> lines_;
    std::unordered_map<std::string, std::size_t> index_;  // upper-cased key -> line
};
