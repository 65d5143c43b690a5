#include "mib/nameindex.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace {

TEST(NameIndex, FirstDefinitionWinsInAnyCaseAndEachSpellingExactly) {
    const std::deque<std::string> names = {"ifIndex", "IFINDEX", "ifIndex", "sysDescr", "ifindex"};
    NameIndex index;
    EXPECT_EQ(index.AnyCase("ifIndex"), -1);  // empty
    for (std::size_t i = 0; i < names.size(); ++i) index.Add(names[i], static_cast<int>(i));
    const struct {
        const char* name;
        int anyCase, exact;
    } cases[] = {
        {"ifIndex", 0, 0}, {"IFINDEX", 0, 1}, {"ifindex", 0, 4}, {"IfIndex", 0, -1},
        {"sysdescr", 3, -1}, {"sysDescr", 3, 3}, {"ifIndexX", -1, -1}, {"", -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(index.AnyCase(c.name), c.anyCase) << c.name;
        EXPECT_EQ(index.Exact(c.name), c.exact) << c.name;
    }
}

TEST(NameIndex, KeepsEveryNameWhileItGrows) {
    std::deque<std::string> names;  // a deque keeps the names where the index's views point
    NameIndex index;
    for (int i = 0; i < 20000; ++i) {
        names.push_back("object" + std::to_string(i));
        index.Add(names.back(), i);
    }
    for (int i = 0; i < 20000; i += 7) {
        EXPECT_EQ(index.Exact("object" + std::to_string(i)), i);
        EXPECT_EQ(index.AnyCase("OBJECT" + std::to_string(i)), i);
    }
    EXPECT_EQ(index.AnyCase("object20000"), -1);
}

}  // namespace
