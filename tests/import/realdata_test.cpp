#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "fixtureprograms.h"
#include "import/importmib.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "mib/sourcetext.h"
#include "shared_data.h"

namespace fs = std::filesystem;

namespace {

// One object as libsmi sees it.
struct OracleObject {
    std::string name, kind, oid, base, conventions;  // conventions: tc_chain, "A>B"
    bool resolved = false;
};

// libsmi's objects of one module keyed by OID; empty when it has no TSV.
std::map<std::string, OracleObject> ReadOracle(const fs::path& file) {
    std::map<std::string, OracleObject> objects;
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream row(line);
        for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(cell);
        if (cells.size() < 10) continue;
        objects[cells[2]] = {cells[0], cells[1], cells[2], cells[3], cells[4], cells[9] == "1"};
    }
    return objects;
}

// The result of importing one module of the collection on its own.
struct ModuleImport {
    std::string error;  // "FILE:LINE: MESSAGE", empty on success
    toidfile library;
};

void ImportOne(const fs::path& file, const fs::path& folder, ModuleImport& result) {
    try {
        ImportMib(result.library, file.string(), folder.string() + "/",
                  testdata::programData("stdmib").string() + "/", FixturePrograms());
    } catch (const eparseexception& error) {
        result.error = error.FileName + ":" + std::to_string(LineOfPosition(error)) + ": " + error.Message;
    }
}

std::vector<fs::path> ModuleFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(folder))
        if (item.is_regular_file() && item.path().extension() != ".md") files.push_back(item.path());
    std::sort(files.begin(), files.end());
    return files;
}

// What libsmi says of one entry: empty when it agrees on OID, kind and the flags the base type sets.
std::string Disagreement(const Toiddata& entry, const std::map<std::string, OracleObject>& objects) {
    const bool scalar = entry.kind == TMIBDataKind::mkDirect;
    if (scalar && (entry.oid.size() < 2 || entry.oid.substr(entry.oid.size() - 2) != ".0"))
        return "scalar without .0";
    const auto object = objects.find(scalar ? entry.oid.substr(0, entry.oid.size() - 2) : entry.oid);
    if (object == objects.end()) return "no object at this OID";
    const OracleObject& o = object->second;
    const std::string& b = o.base;
    const bool wide = b == "Counter64";
    const bool isunsigned =
        wide || b == "Counter32" || b == "Unsigned32" || b == "Gauge32" || b == "TimeTicks";
    // CounterBasedGauge64 is a gauge that only borrows Counter64's encoding.
    const bool counter =
        (wide || b == "Counter32") && o.conventions.find("CounterBasedGauge64") == std::string::npos;
    if (!o.resolved) return o.name + ": unresolved in libsmi";
    if (o.kind != (scalar ? "scalar" : "column")) return o.name + ": kind " + o.kind;
    if (!isunsigned && b != "Integer32" && b != "Enumeration") return o.name + ": not numeric, " + b;
    if ((entry.type == TValueMode::vmDiff) != counter || entry.is64bit != wide ||
        entry.isunsigned != isunsigned)
        return o.name + ": flags differ from " + b;
    return "";
}

// Every module of ../shared/<collection>, each imported with that folder as working folder.
class ImportRealData : public testing::TestWithParam<const char*> {};

TEST_P(ImportRealData, EveryModuleImports) {
    SKIP_WITHOUT_SHARED(mibs, GetParam());
    // The collection's RFC-1212 imports RFC1158-MIB, which only the standard folder holds.
    for (const fs::path& file : ModuleFiles(mibs)) {
        ModuleImport result;
        ImportOne(file, mibs, result);
        EXPECT_EQ(result.error, "") << file;
    }
}

// Also prints, per module, the entries made and how many of them agree.
TEST_P(ImportRealData, EveryEntryAgreesWithLibsmi) {
    SKIP_WITHOUT_SHARED(mibs, GetParam());
    SKIP_WITHOUT_SHARED(oracle, "mibs-oracle");
    int compared = 0;
    std::printf("%-28s %8s %8s\n", "module", "entries", "agreeing");
    for (const fs::path& file : ModuleFiles(mibs)) {
        ModuleImport result;
        ImportOne(file, mibs, result);
        int agreeing = 0;
        if (result.library.Count() > 0) {
            const std::string agent =
                result.library.Entries(0)->name.substr(0, result.library.Entries(0)->name.find('|'));
            const auto objects = ReadOracle(oracle / (agent + ".tsv"));
            ASSERT_FALSE(objects.empty()) << "no libsmi view of " << agent;
            for (int i = 0; i < result.library.Count(); ++i) {
                const Toiddata& entry = *result.library.Entries(i);
                const std::string disagreement = Disagreement(entry, objects);
                EXPECT_EQ(disagreement, "") << agent << " " << entry.name << " " << entry.oid;
                agreeing += disagreement.empty();
            }
        }
        std::printf("%-28s %8d %8d\n", file.stem().c_str(), result.library.Count(), agreeing);
        compared += result.library.Count();
    }
    EXPECT_GT(compared, std::string(GetParam()) == "mibs" ? 1700 : 1500);
}

INSTANTIATE_TEST_SUITE_P(Collections, ImportRealData, testing::Values("mibs", "mibs-wild"),
                         [](const auto& info) { return info.index == 0 ? "Mibs" : "MibsWild"; });

// The worked example: IF-MIB's ifInOctets.
TEST(ImportRealDataExample, IfInOctetsAsInTheExample) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    ModuleImport result;
    ImportOne(mibs / "IF-MIB.mib", mibs, result);
    ASSERT_EQ(result.error, "");
    const Toiddata* found = nullptr;
    for (int i = 0; i < result.library.Count(); ++i)
        if (result.library.Entries(i)->oid == "1.3.6.1.2.1.2.2.1.10") found = result.library.Entries(i);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, "IF-MIB|if: #[1.3.6.1.2.1.2.2.1.1]|if in octets");
    EXPECT_EQ(found->kind, TMIBDataKind::mkTable);
    EXPECT_EQ(found->type, TValueMode::vmDiff);
    EXPECT_EQ(found->indicator, "if in octets");
    EXPECT_EQ(found->units, "#");
    EXPECT_EQ(found->unittype, TUnitType::sutCustom);
}

}  // namespace
