#include "mib/sourcetext.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "mib/mibfile.h"
#include "shared_data.h"
#include "tempfolder.h"

namespace {

struct JoinCase {
    const char* name;
    std::string raw;
    std::string text;
};

const JoinCase joinCases[] = {
    {"Lf", "a\nb\n", "a\r\nb\r\n"},
    {"CrLf", "a\r\nb\r\n", "a\r\nb\r\n"},
    {"Cr", "a\rb", "a\r\nb\r\n"},
    {"NoFinalBreak", "a", "a\r\n"},
    {"EmptyLines", "\n\r\n\r", "\r\n\r\n\r\n"},
    // Every kind of break in one text, and a CR that a LF follows only after another line.
    {"Mixed", "a\rb\nc\r\nd\n\re", "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n"},
    {"CrLfAfterLfOnly", "a\nb\nc\r\n", "a\r\nb\r\nc\r\n"},
    {"Empty", "", ""},
    {"Bom",
     "\xEF\xBB\xBF"
     "a\n",
     "a\r\n"},
    {"BomOnlyAtStart", "a\xEF\xBB\xBF", "a\xEF\xBB\xBF\r\n"},
};

class SourceText : public testing::TestWithParam<JoinCase> {};

TEST_P(SourceText, JoinsLinesWithCrLf) {
    EXPECT_EQ(JoinLinesWithCrLf(GetParam().raw), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Source, SourceText, testing::ValuesIn(joinCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Source, LineOfPositionCountsLineFeedsBeforePosition) {
    const std::string text = "a\r\nb\r\nc\r\n";
    // The last character (the final line feed) never counts: the end of the text is on line 3.
    const std::pair<int32_t, int> cases[] = {{-5, 1}, {0, 1}, {1, 1},  {3, 1},  {4, 2},
                                             {7, 3},  {9, 3}, {10, 3}, {100, 3}};
    for (const auto& [position, line] : cases) EXPECT_EQ(LineOfPosition(text, position), line) << position;
    EXPECT_EQ(LineOfPosition("", 1), 1);
    EXPECT_EQ(LineOfPosition("a\rb\rc", 5), 1) << "carriage returns alone do not count";
    EXPECT_EQ(LineOfPosition("\n\n", 2), 2);
    EXPECT_EQ(LineOfPosition("\n\n", 3), 2);
}

TEST(Source, ByteOrderMarkIsSkippedAndLinesStayRight) {
    const TempFolder folder;
    const std::string file = folder / "M.mib";
    std::ofstream(file, std::ios::binary)
        << "\xEF\xBB\xBFM DEFINITIONS ::= BEGIN\nx OBJECT IDENTIFIER ::= { a 1 }\n#\nEND\n";
    tmibfile mib;
    mib.LoadFile(file);
    EXPECT_EQ(mib.Position, 1);
    EXPECT_EQ(mib.FileName, file);
    try {
        mib.ParseModule();
        FAIL() << "no error";
    } catch (const eparseexception& error) {
        EXPECT_STREQ(error.what(), "Unexpected character \"#\".");
        EXPECT_EQ(error.Position, static_cast<int32_t>(mib.Text.find('#')) + 1);
        EXPECT_EQ(LineOfPosition(error), 3);
        EXPECT_EQ(PositionedMessage(error), file + ":3: Unexpected character \"#\".");
    }
}

TEST(Source, UnreadableFileIsAFileErrorAndKeepsState) {
    tmibfile mib;
    mib.LoadText("keep", "old.mib");
    mib.Position = 3;
    const std::string missing = "/nonexistent/oidwright/NONE-MIB.mib";
    try {
        mib.LoadFile(missing);
        FAIL() << "no error";
    } catch (const MibFileError& error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
    }
    EXPECT_THROW(mib.LoadFile(std::filesystem::temp_directory_path().string()), MibFileError);
    EXPECT_EQ(mib.Text, "keep\r\n");
    EXPECT_EQ(mib.Position, 3);
    EXPECT_EQ(mib.FileName, "old.mib");
    EXPECT_EQ(LineOfPosition(eparseexception("m", missing, 5)), 0);
    EXPECT_EQ(PositionedMessage(eparseexception("m", missing, 5)), missing + ":0: m");
}

}  // namespace
