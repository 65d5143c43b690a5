#include "import/units.h"

#include <gtest/gtest.h>

namespace {

struct UnitCase {
    const char* identifier;
    const char* indicator;
    TUnitType unittype;
    const char* units;
    const char* scale;
    bool multiply;
};

class UnitRuleTest : public testing::TestWithParam<UnitCase> {};

TEST_P(UnitRuleTest, SetsUnitFieldsFromKeywords) {
    const UnitCase& c = GetParam();
    DisplayNames names;
    Toiddata entry;
    ApplyUnitRules(names, c.identifier, entry);
    EXPECT_EQ(entry.indicator, c.indicator) << c.identifier;
    EXPECT_EQ(entry.unittype, c.unittype) << c.identifier;
    EXPECT_EQ(entry.units, c.units) << c.identifier;
    EXPECT_EQ(entry.scale, c.scale) << c.identifier;
    EXPECT_EQ(entry.multiply, c.multiply) << c.identifier;
}

constexpr TUnitType Bytes = TUnitType::sutBytes, Custom = TUnitType::sutCustom,
                    Percent = TUnitType::sutPercent;

INSTANTIATE_TEST_SUITE_P(
    Import, UnitRuleTest,
    testing::Values(UnitCase{"ifInOctets", "if in octets", Custom, "#", "1", false},
                    UnitCase{"memTotalMBytes", "mem total", Bytes, "bytes", "1048576", true},
                    UnitCase{"diskMegabytesFree", "disk free", Bytes, "bytes", "1048576", true},
                    UnitCase{"poolKBytes", "pool", Bytes, "bytes", "1024", true},
                    UnitCase{"poolKilobytesUsed", "pool used", Bytes, "bytes", "1024", true},
                    // KBytes wins over KBPerSec; the remainder keeps PerSec and makes the suffix.
                    UnitCase{"ifInKBytesPerSec", "if in per sec", Custom, "bytes/second", "1024", true},
                    UnitCase{"xBytesSent", "xsent", Bytes, "bytes", "1", false},
                    UnitCase{"rxBytesPerSec", "rx per sec", Custom, "bytes/second", "1", false},
                    UnitCase{"queueLength", "queue", Custom, "length", "1", false},
                    UnitCase{"queueLengthPerSec", "queue per sec", Custom, "length/second", "1", false},
                    UnitCase{"ioSecPerRead", "io read", Custom, "seconds", "1", false},
                    UnitCase{"cpuLoadPercent", "cpu load", Percent, "%", "1", false},
                    UnitCase{"cpuPercentPerSec", "cpu per sec", Percent, "%/second", "1", false},
                    UnitCase{"diskKBPerSec", "disk", Custom, "kbytes/sec", "1", false},
                    // The keyword search regards case.
                    UnitCase{"rxbytes", "rxbytes", Custom, "#", "1", false},
                    // Only the first occurrence of the keyword is removed.
                    UnitCase{"aBytesBytes", "abytes", Bytes, "bytes", "1", false}));

}  // namespace
