#include "editing/entryrules.h"

#include <gtest/gtest.h>

namespace {

TEST(EntryRulesTest, OidIsDottedDecimal) {
    struct Case {
        const char* typed;
        std::optional<std::string> stored;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"1.3.6.1.2.1.1.3.0", "1.3.6.1.2.1.1.3.0"},
             {".1.3.6.1", "1.3.6.1"},
             {"  1.3.6 ", "1.3.6"},
             {"0", "0"},
             {"", std::nullopt},
             {".", std::nullopt},
             {"..1.3", std::nullopt},
             {"1.3.6.1.4.1.9.9.x09..1", std::nullopt},
             {"1..3", std::nullopt},
             {"1.3.", std::nullopt},
             {"1.-3", std::nullopt},
             {"1 .3", std::nullopt},
             {"iso.3.6", std::nullopt},
         })
        EXPECT_EQ(DottedDecimalOid(c.typed), c.stored) << c.typed;
}

// The editor takes what the device check can walk: no arc above 32 bits, no more than 128 arcs.
TEST(EntryRulesTest, OidHoldsWhatAnAgentCanAnswer) {
    std::string longest = "1";
    for (int i = 1; i < 128; ++i) longest += ".1";
    struct Case {
        std::string typed;
        std::optional<std::string> stored;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"1.3.6.4294967295", "1.3.6.4294967295"},
             {"1.3.6.4294967296", std::nullopt},
             {"\t" + longest, longest},
             {longest + ".1", std::nullopt},
             {"01.3.06", "01.3.06"},  // kept as typed
         })
        EXPECT_EQ(DottedDecimalOid(c.typed), c.stored) << c.typed;
}

TEST(EntryRulesTest, NameHoldsMoreThanBlanks) {
    EXPECT_TRUE(NameGiven("ifInOctets"));
    EXPECT_TRUE(NameGiven(" x "));
    EXPECT_FALSE(NameGiven(""));
    EXPECT_FALSE(NameGiven(" \t "));
}

}  // namespace
