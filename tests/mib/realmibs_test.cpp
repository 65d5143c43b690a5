// Every real module of the shared collection parses after the SMI modules, as the import loads them,
// and what it yields agrees with libsmi's view of the same modules.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "mib/mibfile.h"
#include "mib/sourcetext.h"
#include "shared_data.h"

namespace {

namespace fs = std::filesystem;

const char* const smiModules[] = {"SNMPv2-SMI.mib",  "SNMPv2-TC.mib", "SNMPv2-CONF.mib",
                                  "RFC1155-SMI.mib", "RFC-1212.mib",  "RFC-1215.mib"};

std::vector<fs::path> moduleFiles(const fs::path& dir) {
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(dir))
        if (item.is_regular_file()) files.push_back(item.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Parses the SMI modules and then the module into file; "" or "FILE:LINE: message".
std::string parseAfterSmi(tmibfile& file, const fs::path& dir, const fs::path& module) {
    try {
        for (const char* smi : smiModules) {
            file.LoadFile((dir / smi).string());
            file.ParseModule();
        }
        file.LoadFile(module.string());
        file.ParseModule();
    } catch (const eparseexception& error) {
        return fs::path(error.FileName).filename().string() + ":" + std::to_string(LineOfPosition(error)) +
               ": " + error.what();
    }
    return {};
}

TEST(RealMibs, EveryModuleParsesAfterTheSmiModules) {
    SKIP_WITHOUT_SHARED(dir, "mibs");
    std::vector<std::string> failures;
    int parsed = 0;
    for (const fs::path& module : moduleFiles(dir)) {
        tmibfile file;
        const std::string failure = parseAfterSmi(file, dir, module);
        if (!failure.empty()) failures.push_back(failure);
        ++parsed;
    }
    EXPECT_GE(parsed, 50);
    EXPECT_EQ(failures, std::vector<std::string>{});
}

// One row of a libsmi table: column name to value.
using OracleRow = std::map<std::string, std::string>;

std::vector<OracleRow> readOracle(const fs::path& tsv) {
    std::ifstream in(tsv);
    std::string line;
    std::vector<std::string> header;
    std::vector<OracleRow> rows;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream split(line);
        for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
        if (header.empty()) {
            header = cells;
            continue;
        }
        OracleRow row;
        for (size_t i = 0; i < header.size(); ++i) row[header[i]] = i < cells.size() ? cells[i] : "";
        rows.push_back(row);
    }
    return rows;
}

bool isNumericTag(const std::string& tag) {
    return tag == "@integer" || tag == "@gauge" || tag == "@counter";
}

TEST(RealMibs, ObjectsAgreeWithLibsmi) {
    SKIP_WITHOUT_SHARED(dir, "mibs");
    SKIP_WITHOUT_SHARED(oracle, "mibs-oracle");
    const std::map<std::string, std::pair<bool, bool>> numericBases = {
        {"Integer32", {false, false}}, {"Enumeration", {false, false}}, {"Unsigned32", {true, false}},
        {"TimeTicks", {true, false}},  {"Gauge32", {true, false}},      {"Counter32", {true, false}},
        {"Counter64", {true, true}}};
    int compared = 0;
    for (const fs::path& module : moduleFiles(dir)) {
        const fs::path tsv = oracle / (module.stem().string() + ".tsv");
        if (!fs::exists(tsv)) continue;
        tmibfile file;
        ASSERT_EQ(parseAfterSmi(file, dir, module), "");
        for (const OracleRow& row : readOracle(tsv)) {
            const std::string& name = row.at("name");
            const tmibentry* entry = file.FindEntry(name);
            ASSERT_NE(entry, nullptr) << module.filename() << " " << name;
            EXPECT_EQ(entry->Macro, "OBJECT-TYPE") << name;
            const auto base = numericBases.find(row.at("smi_base"));
            const std::string resolved = file.ResolveSyntax(*entry);
            if (row.at("tc_chain").empty() && base != numericBases.end()) {
                EXPECT_TRUE(isNumericTag(resolved)) << name << " " << resolved;
                EXPECT_EQ(entry->IsUnsigned, base->second.first) << name;
                EXPECT_EQ(entry->Is64Bit, base->second.second) << name;
            } else if (!resolved.empty() && resolved[0] == '@') {
                // Conventions keep their base type; a convention from a module not loaded here stays a name.
                EXPECT_EQ(isNumericTag(resolved), base != numericBases.end()) << name << " " << resolved;
                const tasntype* type = file.ResolveSyntaxType(*entry);
                if (type && base != numericBases.end()) {
                    EXPECT_EQ(type->IsUnsigned, base->second.first) << name;
                    EXPECT_EQ(type->Is64Bit, base->second.second) << name;
                }
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 1000);
}

}  // namespace
