#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "import/importmib.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "shared_data.h"

namespace fs = std::filesystem;

namespace {

tprogramfiles StandardPrograms() {
    return {testdata::programData("stdmib/VELTRANE-STANDARD-MIB.mib").string(),
            "/nonexistent/replacelist.txt"};
}

// One object as libsmi sees it.
struct OracleObject {
    std::string name, kind, oid, base;
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
        objects[cells[2]] = {cells[0], cells[1], cells[2], cells[3], cells[9] == "1"};
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
                  testdata::programData("stdmib").string() + "/", StandardPrograms());
    } catch (const eparseexception& error) {
        result.error = error.FileName + ":" + std::to_string(ErrorLine(error)) + ": " + error.Message;
    }
}

std::vector<fs::path> ModuleFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(folder))
        if (item.is_regular_file()) files.push_back(item.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(ImportRealData, EveryModuleImports) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    // The collection's RFC-1212 imports RFC1158-MIB, which only the standard folder holds.
    for (const fs::path& file : ModuleFiles(mibs)) {
        ModuleImport result;
        ImportOne(file, mibs, result);
        EXPECT_EQ(result.error, "") << file;
    }
}

TEST(ImportRealData, EveryEntryAgreesWithLibsmi) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    SKIP_WITHOUT_SHARED(oracle, "mibs-oracle");
    int compared = 0;
    for (const fs::path& file : ModuleFiles(mibs)) {
        ModuleImport result;
        ImportOne(file, mibs, result);
        if (result.library.Count() == 0) continue;
        const std::string agent =
            result.library.Entries(0)->name.substr(0, result.library.Entries(0)->name.find('|'));
        const auto objects = ReadOracle(oracle / (agent + ".tsv"));
        ASSERT_FALSE(objects.empty()) << "no libsmi view of " << agent;
        for (int i = 0; i < result.library.Count(); ++i) {
            const Toiddata& entry = *result.library.Entries(i);
            const bool scalar = entry.kind == TMIBDataKind::mkDirect;
            const std::string oid = scalar ? entry.oid.substr(0, entry.oid.size() - 2) : entry.oid;
            const auto object = objects.find(oid);
            ASSERT_NE(object, objects.end()) << agent << " " << entry.name << " " << entry.oid;
            const OracleObject& o = object->second;
            const std::string where = agent + " " + o.name;
            ASSERT_TRUE(o.resolved) << where;
            if (scalar) {
                EXPECT_EQ(entry.oid.substr(entry.oid.size() - 2), ".0") << where;
            }
            EXPECT_EQ(o.kind, scalar ? "scalar" : "column") << where;
            const std::string& b = o.base;
            EXPECT_TRUE(b == "Integer32" || b == "Unsigned32" || b == "Gauge32" || b == "Counter32" ||
                        b == "Counter64" || b == "TimeTicks" || b == "Enumeration")
                << where << " " << b;
            const bool counter = b == "Counter32" || b == "Counter64";
            EXPECT_EQ(entry.type == TValueMode::vmDiff, counter) << where << " " << b;
            EXPECT_EQ(entry.is64bit, b == "Counter64") << where << " " << b;
            EXPECT_EQ(entry.isunsigned, counter || b == "Unsigned32" || b == "Gauge32" || b == "TimeTicks")
                << where << " " << b;
            ++compared;
        }
    }
    EXPECT_GT(compared, 1700);
}

// The worked example: IF-MIB's ifInOctets.
TEST(ImportRealData, IfInOctetsAsInTheExample) {
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
