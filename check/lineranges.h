#pragma once
// Line numbers as a report lists them: in ranges ("5, 8-17, 20"), and only the first few dozen
// ranges however many lines there are, so that a capture of millions of broken lines costs
// neither memory nor a line of megabytes.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class LineRanges {
  public:
    // The ranges kept; the count and the number of ranges go on past them.
    static constexpr std::size_t MaxKept = 32;

    // Lines come in increasing order.
    void Add(int line);
    bool Empty() const { return count_ == 0; }
    std::size_t Count() const { return count_; }
    std::size_t RangeCount() const { return ranges_; }
    // The first MaxKept ranges, each first and last line.
    const std::vector<std::pair<int, int>>& Kept() const { return kept_; }

  private:
    std::size_t count_ = 0, ranges_ = 0;
    int last_ = 0;
    std::vector<std::pair<int, int>> kept_;
};

// "5, 8-17, 20"; with ranges past the kept ones "5, 8-17, ..., 90 (the first 32 of 1250 ranges)".
std::string LineRangesText(const LineRanges& lines);
