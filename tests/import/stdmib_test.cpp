#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "fixtureprograms.h"
#include "import/importmib.h"
#include "import/parentchain.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "mib/sourcetext.h"
#include "shared_data.h"
#include "tempfolder.h"

namespace fs = std::filesystem;

namespace {

// Every delivered module parses on its own as one module named like its file.
TEST(ImportStandardModules, EachParsesAsOneModule) {
    int modules = 0;
    for (const auto& item : fs::directory_iterator(testdata::programData("stdmib"))) {
        tmibfile mib;
        mib.LoadFile(item.path().string());
        try {
            mib.ParseModule();
        } catch (const eparseexception& error) {
            ADD_FAILURE() << error.FileName << ":" << LineOfPosition(error) << ": " << error.Message;
            continue;
        }
        EXPECT_EQ(mib.ModuleName, item.path().stem().string());
        ++modules;
    }
    EXPECT_EQ(modules, 41);
}

struct LoneModuleCase {
    const char* module;
    int entries;
};

class LoneModuleTest : public testing::TestWithParam<LoneModuleCase> {};

// A vendor's folder need not hold the standard modules: one copied alone into an empty folder
// finds everything it imports in stdmib/.
TEST_P(LoneModuleTest, ImportsWithOnlyTheStandardFolder) {
    const TempFolder folder;
    const std::string module = GetParam().module;
    fs::copy_file(testdata::programData("stdmib/" + module + ".mib"), folder.path / (module + ".mib"));
    toidfile library;
    const ProgramFiles program = FixturePrograms();
    EXPECT_TRUE(ImportMib(library, folder / (module + ".mib"), folder.path.string() + "/",
                          program.standardFolder, program));
    EXPECT_EQ(library.Count(), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(Import, LoneModuleTest,
                         testing::Values(LoneModuleCase{"IF-MIB", 45}, LoneModuleCase{"ENTITY-MIB", 7},
                                         LoneModuleCase{"Q-BRIDGE-MIB", 28},
                                         LoneModuleCase{"HOST-RESOURCES-MIB", 38},
                                         LoneModuleCase{"BRIDGE-MIB", 37}),
                         [](const testing::TestParamInfo<LoneModuleCase>& info) {
                             std::string name = info.param.module;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(ImportStandardModules, StandardModuleHasTheRootArcsAndBaseTypes) {
    tmibfile mib;
    mib.LoadFile(testdata::programData("stdmib/VELTRANE-STANDARD-MIB.mib").string());
    mib.ParseModule();
    const std::map<std::string, std::string> arcs = {
        {"org", "1.3"},
        {"dod", "1.3.6"},
        {"internet", "1.3.6.1"},
        {"directory", "1.3.6.1.1"},
        {"mgmt", "1.3.6.1.2"},
        {"mib-2", "1.3.6.1.2.1"},
        {"transmission", "1.3.6.1.2.1.10"},
        {"experimental", "1.3.6.1.3"},
        {"private", "1.3.6.1.4"},
        {"enterprises", "1.3.6.1.4.1"},
        {"security", "1.3.6.1.5"},
        {"snmpV2", "1.3.6.1.6"},
        {"snmpDomains", "1.3.6.1.6.1"},
        {"snmpProxys", "1.3.6.1.6.2"},
        {"snmpModules", "1.3.6.1.6.3"},
    };
    for (const auto& [name, oid] : arcs) {
        const tmibentry* entry = mib.FindEntry(name);
        ASSERT_NE(entry, nullptr) << name;
        const ParentChain chain = WalkParents(mib, *entry);
        EXPECT_TRUE(chain.rooted) << name;
        EXPECT_EQ(ChainOid(chain), oid) << name;
    }
    ASSERT_NE(mib.FindEntry("iso"), nullptr);
    for (const char* type : {"Integer32", "Counter32", "Gauge32", "Unsigned32", "TimeTicks", "Counter64",
                             "IpAddress", "Opaque", "ObjectName"})
        EXPECT_GE(mib.TypeIndex(type), 0) << type;
}

}  // namespace
