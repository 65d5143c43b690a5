#include "text/linecounter.h"

#include <gtest/gtest.h>

// Asked in any order, the counter gives what counting from the start would.
TEST(LineCounter, AnyOrderOfQuestionsGivesTheLineFromTheStart) {
    const std::string_view text = "a\nbb\n\nccc\n";
    LineCounter lines;
    const std::pair<std::size_t, int> asked[] = {
        {0, 1}, {2, 2},  {5, 3},  {6, 4}, {3, 2},  // a step back
        {0, 1}, {10, 5}, {99, 5},                  // past the end counts to the end
        {1, 1}, {6, 4},
    };
    for (const auto& [offset, line] : asked) EXPECT_EQ(lines.LineAt(text, offset), line) << offset;
    lines.Reset();
    EXPECT_EQ(lines.LineAt("a line of its own", 7), 1) << "another text starts at line 1";
}
