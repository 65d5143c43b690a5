// What a save does on every system, Windows included: the target replaced whole or refused with
// the reason, no temporary file left, killed saves' temporaries removed, names in any characters.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "library/filesave.h"
#include "library/oidfileerror.h"
#include "platform/paths.h"
#include "tempfolder.h"
#include "text/textfile.h"

namespace fs = std::filesystem;

namespace {

class SaveScenarios : public testing::Test {
  protected:
    // "" when the save went through, else its message.
    std::string Save(const std::string& name, NewFileSync newFile = NewFileSync::now) {
        try {
            SaveFileContent(temp_ / name, "new", newFile);
            return "";
        } catch (const OidFileError& error) {
            return error.what();
        }
    }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(platform::PathOf(temp_ / name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) {
        std::string bytes, message;
        return textfile::TryReadFile(temp_ / name, bytes, message) ? bytes : message;
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(temp_.path))
            names.push_back(platform::Utf8Of(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Refusal(const std::string& name, const std::string& reason) {
        return "Cannot create file \"" + (temp_ / name) + "\". " + reason;
    }

    TempFolder temp_;
};

TEST_F(SaveScenarios, ReplacesWholeOrRefusesWithTheReason) {
    Write("old.oidlib", "old");
    Write("locked.oidlib", "locked");
    fs::permissions(temp_.path / "locked.oidlib", fs::perms::owner_read);
    fs::create_directory(temp_.path / "folder.oidlib");
    const struct {
        std::string name, message;
        NewFileSync newFile = NewFileSync::now;
    } rows[] = {
        {"new.oidlib", ""},
        {"later.oidlib", "", NewFileSync::later},
        {"old.oidlib", ""},
        {"café-Übersicht.oidlib", ""},
        {std::string(180, 'n') + ".oidlib", ""},
        {"locked.oidlib", Refusal("locked.oidlib", "The file is read-only")},
        {"folder.oidlib",
         Refusal("folder.oidlib", std::make_error_code(std::errc::is_a_directory).message())},
        {"absent/x.oidlib",
         Refusal("absent/x.oidlib", std::make_error_code(std::errc::no_such_file_or_directory).message())},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Save(row.name, row.newFile), row.message) << row.name;
        if (row.message.empty()) {
            EXPECT_EQ(Read(row.name), "new") << row.name;
        }
    }
    SyncFileSystemOf(temp_.path.string());
    EXPECT_EQ(Read("locked.oidlib"), "locked");
    fs::permissions(temp_.path / "locked.oidlib", fs::perms::owner_all);
    std::vector<std::string> saved = {
        "café-Übersicht.oidlib",           "later.oidlib",  "new.oidlib",   "old.oidlib",
        std::string(180, 'n') + ".oidlib", "folder.oidlib", "locked.oidlib"};
    std::sort(saved.begin(), saved.end());
    EXPECT_EQ(Names(), saved);  // no temporary left
}

// A killed save leaves its temporary file behind; the next save in that folder removes it, and
// only names of the program's own pattern.
TEST_F(SaveScenarios, NextSaveRemovesOnlyItsOwnStaleTemporaries) {
    const std::vector<std::string> others = {".oidwright-0123.tmp", ".oidwright-0123456789abcdeg.tmp",
                                             "lib.oidlib.tmp", "notes.tmp"};
    Write(".oidwright-0123456789abcdef.tmp", "left by a killed save");
    for (const std::string& name : others) Write(name, "someone else's");
    EXPECT_EQ(Save("lib.oidlib"), "");
    std::vector<std::string> expected = others;
    expected.push_back("lib.oidlib");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(), expected);
}

}  // namespace
