#include "library/importstat.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Report(const timportstat& stats) {
    std::vector<std::string> lines{"earlier line"};
    stats.WriteReport(lines);
    return lines;
}

TEST(ImportStat, CleanImportGivesFiveLinesAndCountsKeysOnce) {
    timportstat stats;
    stats.ReportFile = "/mibs/HOST-RESOURCES-MIB.mib";
    for (const char* module : {"SNMPv2-SMI", "SNMPv2-TC", "snmpv2-smi", "RFC1213-MIB"})
        stats.AddFile(module, true);
    stats.AddOid("hrProcessorLoad", "1.3.6.1.2.1.25.3.3.1.2", oidResolved);
    stats.AddOid("hrProcessorLoad", "1.3.6.1.2.1.25.3.3.1.2", oidResolved);  // same name, other module
    stats.AddOid("hrSystemUptime", "1.3.6.1.2.1.25.1.1", oidResolved);
    stats.AddOid("Host|Processor|Load", "1.3.6.1.2.1.25.3.3.1.2", oidUseful);
    stats.AddOid("host|processor|load", "1.3.6.1.2.1.25.3.3.1.2", oidUseful);
    const std::vector<std::string> expected = {
        "earlier line",
        "",
        "Report for /mibs/HOST-RESOURCES-MIB.mib:",
        "Sucessfully included files: 3 of 3",
        "Sucessfully imported OIDs: 2 of 2",
        "OIDs that were useful for Zelto: 1",
    };
    EXPECT_EQ(Report(stats), expected);
}

TEST(ImportStat, ReportListsMissingPartialAndNotFound) {
    timportstat stats;
    stats.ReportFile = "P";
    stats.AddFile("SNMPv2-SMI", true);
    stats.AddFile("VENDOR-TC", false);
    stats.AddFile("OTHER-MIB", false);
    stats.AddOid("a", "1.3.6.1", oidResolved);
    stats.AddOid("b", "vendorRoot.4.2", oidPartial);
    stats.AddOid("MissingType", "MissingType", oidNotFound);
    stats.AddOid("Odd", "Odd", 7);  // any other outcome counts as not found
    const std::vector<std::string> expected = {
        "earlier line",
        "",
        "Report for P:",
        "Sucessfully included files: 1 of 3",
        "Import files/modules that could not be found: 2",
        "  - VENDOR-TC",
        "  - OTHER-MIB",
        "Sucessfully imported OIDs: 1 of 2",
        "OIDs that could not be completely resolved: 1",
        "  - b -> vendorRoot.4.2",
        "OIDs that could not be found at all: 2",
        "  - MissingType -> MissingType",
        "  - Odd -> Odd",
        "OIDs that were useful for Zelto: 0",
    };
    EXPECT_EQ(Report(stats), expected);
}

TEST(ImportStat, ClearEmptiesListsButKeepsReportFile) {
    timportstat stats;
    stats.ReportFile = "kept.mib";
    stats.AddFile("A", false);
    stats.AddOid("x", "1", oidPartial);
    stats.AddOid("y", "1", oidUseful);
    stats.Clear();
    EXPECT_EQ(stats.ReportFile, "kept.mib");
    for (const KeyedList* list : {&stats.IncludedFiles, &stats.MissingFiles, &stats.ResolvedOids,
                                  &stats.PartialOids, &stats.NotFoundOids, &stats.UsefulOids})
        EXPECT_TRUE(list->Empty());
}

}  // namespace
