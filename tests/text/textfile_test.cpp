#include "text/textfile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(TextFile, ReadsWholeFilesAndTellsPlainFilesApart) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("oidwright-textfile-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
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
    std::filesystem::remove_all(folder);
}

}  // namespace
