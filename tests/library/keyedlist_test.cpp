#include "library/keyedlist.h"

#include <gtest/gtest.h>

namespace {

std::string Dump(const KeyedList& list) {
    std::string out;
    for (const auto& line : list.Lines()) out += line.key + "=" + line.value + ";";
    return out;
}

TEST(KeyedList, SetReplacesAppendsAndRemoves) {
    struct Step {
        std::string key, value, expected;
    };
    const Step steps[] = {
        {"ifInOctets", "1.3.6.1.2.1.2.2.1.10", "ifInOctets=1.3.6.1.2.1.2.2.1.10;"},
        {"sysUpTime", "1.3.6.1.2.1.1.3", "ifInOctets=1.3.6.1.2.1.2.2.1.10;sysUpTime=1.3.6.1.2.1.1.3;"},
        // same key in other case: value replaced in place, first spelling kept
        {"IFINOCTETS", "x", "ifInOctets=x;sysUpTime=1.3.6.1.2.1.1.3;"},
        {"third", "3", "ifInOctets=x;sysUpTime=1.3.6.1.2.1.1.3;third=3;"},
        // empty value removes the line; later lines move up and stay findable
        {"IfInOctets", "", "sysUpTime=1.3.6.1.2.1.1.3;third=3;"},
        {"absent", "", "sysUpTime=1.3.6.1.2.1.1.3;third=3;"},
        {"THIRD", "4", "sysUpTime=1.3.6.1.2.1.1.3;third=4;"},
    };
    KeyedList list;
    for (const Step& step : steps) {
        list.Set(step.key, step.value);
        EXPECT_EQ(Dump(list), step.expected) << "after setting " << step.key;
    }
    ASSERT_NE(list.Find("Third"), nullptr);
    EXPECT_EQ(*list.Find("Third"), "4");
    EXPECT_EQ(list.Find("ifInOctets"), nullptr);
    EXPECT_EQ(list.Count(), 2);
}

TEST(KeyedList, CaseFoldingIsAsciiOnly) {
    KeyedList list;
    list.Set("\xC0", "upper");  // Windows-1251 capital A
    list.Set("\xE0", "lower");
    EXPECT_EQ(list.Count(), 2);
}

TEST(KeyedList, ClearEmptiesListAndIndex) {
    KeyedList list;
    list.Set("a", "1");
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.Find("a"), nullptr);
    list.Set("A", "2");
    EXPECT_EQ(Dump(list), "A=2;");
}

}  // namespace
