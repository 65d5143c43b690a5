#include "check/lineranges.h"

void LineRanges::Add(int line) {
    const bool goesOn = count_ > 0 && line == last_ + 1;
    ++count_;
    last_ = line;
    if (goesOn) {
        if (ranges_ <= MaxKept) kept_.back().second = line;
        return;
    }
    if (++ranges_ <= MaxKept) kept_.emplace_back(line, line);
}

std::string LineRangesText(const LineRanges& lines) {
    std::string text;
    for (const auto& [first, last] : lines.Kept()) {
        if (!text.empty()) text += ", ";
        text += std::to_string(first);
        if (last != first) text += "-" + std::to_string(last);
    }
    if (lines.RangeCount() > lines.Kept().size())
        text += " (the first " + std::to_string(lines.Kept().size()) + " of " +
                std::to_string(lines.RangeCount()) + " ranges)";
    return text;
}
