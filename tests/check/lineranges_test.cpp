#include "check/lineranges.h"

#include <gtest/gtest.h>

namespace {

TEST(LineRanges, ListsRunsOfLinesAsRanges) {
    struct Case {
        std::vector<int> lines;
        const char* text;
    };
    const Case cases[] = {
        {{}, ""},
        {{7}, "7"},
        {{1, 2, 4, 6, 7, 9}, "1-2, 4, 6-7, 9"},
        {{127, 128, 129, 2366}, "127-129, 2366"},
    };
    for (const Case& c : cases) {
        LineRanges ranges;
        for (const int line : c.lines) ranges.Add(line);
        EXPECT_EQ(LineRangesText(ranges), c.text);
        EXPECT_EQ(ranges.Count(), c.lines.size());
        EXPECT_EQ(ranges.Empty(), c.lines.empty());
    }
}

// Every other line of a long capture: the count goes on, the list stops at the kept ranges.
TEST(LineRanges, KeepOnlyTheFirstRangesButCountAll) {
    LineRanges ranges;
    for (int line = 1; line <= 2'000'000; line += 2) ranges.Add(line);
    ranges.Add(2'000'000);  // joins the last range, long past the kept ones
    EXPECT_EQ(ranges.Count(), 1'000'001u);
    EXPECT_EQ(ranges.RangeCount(), 1'000'000u);
    ASSERT_EQ(ranges.Kept().size(), LineRanges::MaxKept);
    EXPECT_EQ(ranges.Kept().back(), std::make_pair(63, 63));
    const std::string text = LineRangesText(ranges);
    EXPECT_TRUE(text.starts_with("1, 3, 5, ")) << text;
    EXPECT_TRUE(text.ends_with(", 61, 63 (the first 32 of 1000000 ranges)")) << text;

    // A range that begins among the kept ones grows there however long it runs.
    LineRanges run;
    for (int line = 10; line <= 5'000'000; ++line) run.Add(line);
    EXPECT_EQ(LineRangesText(run), "10-5000000");
}

}  // namespace
