#include "library/oid.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseOid, AcceptsDottedDecimalOnly) {
    EXPECT_EQ(ParseOid(".1.3.6.1"), (Oid{1, 3, 6, 1}));
    EXPECT_EQ(ParseOid("1.3.6.4294967295"), (Oid{1, 3, 6, 4294967295u}));
    for (const char* bad : {"", ".", "1..3", "1.3.", "1.x", "1.3.6.4294967296", " 1.3", "1.3 "})
        EXPECT_FALSE(ParseOid(bad)) << '"' << bad << '"';
    std::string longest = "1";
    for (int i = 1; i < 128; ++i) longest += ".1";
    EXPECT_TRUE(ParseOid(longest));
    EXPECT_FALSE(ParseOid(longest + ".1"));
}

}  // namespace
