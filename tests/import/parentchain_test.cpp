#include "import/parentchain.h"

#include <gtest/gtest.h>

#include <string>

#include "mib/mibfile.h"

namespace {

std::string Object(int i) {
    std::string name = "o";
    return name.append(std::to_string(i));
}

// A module whose objects o1 ... oN each hang below the next one; oN hangs below last.
std::string Ladder(int length, const std::string& last) {
    std::string text = "M DEFINITIONS ::= BEGIN\n";
    for (int i = 1; i <= length; ++i) {
        text.append(Object(i)).append(" OBJECT IDENTIFIER ::= { ").append(i == length ? last : Object(i + 1));
        text.append(" ").append(std::to_string(i)).append(" }\n");
    }
    return text.append("END\n");
}

struct WalkCase {
    const char* name;
    int length;
    const char* last;  // the parent of the topmost object
    bool rooted;
    std::size_t members;
    const char* missingParent;
    bool tooDeep = false;
};

// Short and long chains (a long one checks its members by a set): rooted, ending at an
// undefined name, or closing a loop back to o1 or to a member halfway up.
const WalkCase walkCases[] = {
    {"ShortRooted", 3, "iso", true, 3, ""},
    {"LongRooted", 100, "iso", true, 100, ""},
    {"ShortUndefined", 3, "nowhere", false, 3, "nowhere"},
    {"ShortLoop", 3, "o1", false, 3, "o1"},
    {"LongLoop", 100, "o1", false, 100, "o1"},
    {"LongLoopHalfway", 100, "o50", false, 100, "o50"},
    // the walk gives up past 128 arcs, so a chain of any depth costs each object the same
    {"DeepestRooted", 127, "iso", true, 127, ""},
    {"TooDeep", 5000, "iso", false, 128, "o129", true},
    {"TooDeepLoop", 5000, "o1", false, 128, "o129", true},
};

class ParentChainWalk : public testing::TestWithParam<WalkCase> {};

TEST_P(ParentChainWalk, StopsAtTheRootAnUndefinedNameOrTheFirstRepeat) {
    const WalkCase& c = GetParam();
    tmibfile mib;
    mib.LoadText(Ladder(c.length, c.last), "ladder.mib");
    mib.ParseModule();
    const ParentChain chain = WalkParents(mib, *mib.FindEntry("o1"));
    EXPECT_EQ(chain.rooted, c.rooted);
    EXPECT_EQ(chain.members.size(), c.members);
    EXPECT_EQ(chain.missingParent, c.missingParent);
    EXPECT_EQ(chain.tooDeep, c.tooDeep);
    if (!c.rooted) return;
    std::string oid = "1";
    for (int i = c.length; i >= 1; --i) oid.append(".").append(std::to_string(i));
    EXPECT_EQ(ChainOid(chain), oid);
}

INSTANTIATE_TEST_SUITE_P(Import, ParentChainWalk, testing::ValuesIn(walkCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
