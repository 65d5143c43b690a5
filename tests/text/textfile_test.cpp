#include "text/textfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "normaluser.h"
#include "tempfolder.h"

namespace fs = std::filesystem;

namespace {

TEST(TextFile, ReadsWholeFilesAndTellsPlainFilesApart) {
    const TempFolder temp;
    const fs::path& folder = temp.path;
    const std::string file = (folder / "a.txt").string();
    std::ofstream(file, std::ios::binary) << "one\r\ntwo\rthree\n";

    std::string bytes, message;
    ASSERT_TRUE(textfile::TryReadFile(file, bytes, message)) << message;
    EXPECT_EQ(textfile::SplitLines(bytes), (std::vector<std::string_view>{"one", "two", "three"}));
    EXPECT_TRUE(textfile::IsRegularFile(file));
    EXPECT_FALSE(textfile::IsRegularFile(folder.string()));
    EXPECT_FALSE(textfile::IsRegularFile((folder / "absent").string()));

    EXPECT_FALSE(textfile::TryReadFile(folder.string(), bytes, message));
    EXPECT_EQ(message, "Cannot open file \"" + folder.string() + "\". Is a directory");
}

// Which files a reader takes: only regular ones of a bounded size, refused before any waiting.
class ReadFile : public testing::Test {
  protected:
    TempFolder temp_{TempFolder::Access::everyone};
    const fs::path dir_ = temp_.path;
};

TEST_F(ReadFile, TakesOnlyRegularFilesOfBoundedSize) {
    const fs::path pipe = dir_ / "pipe.mib", large = dir_ / "large.mib", plain = dir_ / "plain.mib";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    std::ofstream(plain) << "text";
    fs::permissions(plain, fs::perms(0644));
    // Sparse: as large as it says without taking the disk space.
    std::ofstream(large).close();
    fs::resize_file(large, textfile::MaxFileSize + 1);
    fs::permissions(large, fs::perms(0644));

    struct Case {
        fs::path file;
        std::string message;  // "" when read
    };
    const Case cases[] = {
        {plain, ""},
        {pipe, "Cannot open file \"" + pipe.string() + "\". It is a named pipe, not a regular file"},
        {"/dev/null", "Cannot open file \"/dev/null\". It is a device, not a regular file"},
        {dir_, "Cannot open file \"" + dir_.string() + "\". Is a directory"},
        {large, "Cannot read file \"" + large.string() + "\". It is larger than 512 MiB"},
    };
    const auto check = [&] {
        bool ok = true;
        for (const Case& c : cases) {
            std::string bytes, message;
            const bool read = textfile::TryReadFile(c.file.string(), bytes, message);
            if (read != c.message.empty() || message != c.message || (read && bytes != "text")) {
                std::cerr << c.file << ": " << message << "\n";
                ok = false;
            }
        }
        return ok;
    };
    EXPECT_TRUE(check());
    EXPECT_TRUE(testuser::AsNormalUser(check));
}

}  // namespace
