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

TEST(EntryRulesTest, NameHoldsMoreThanBlanks) {
    EXPECT_TRUE(NameGiven("ifInOctets"));
    EXPECT_TRUE(NameGiven(" x "));
    EXPECT_FALSE(NameGiven(""));
    EXPECT_FALSE(NameGiven(" \t "));
}

}  // namespace
