#include "library/htmloverview.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "library/oidfile.h"
#include "tempfolder.h"

namespace fs = std::filesystem;

namespace {

const std::string Header =
    "</h1>\r\n\r\n<p><a href=\"/perchmate\">A</a> supports monitoring of the following 3 performance "
    "counters. "
    "Please note that the actual number of available sensors depends on the system you install Perchmate on "
    "and is usually much higher. Entries marked with \"(Table)\" will provide the measured value for several "
    "items (e.g. for each CPU, disk or network card).</p><p>Simply install A on the server or pc that you "
    "want to monitor and <A href=\"/zelto\">Zelto Network Monitor</A> will immediately be able to access the "
    "counters.</p><ul>";

void AddEntry(toidfile& library, const std::string& key, const std::string& description = "",
              TMIBDataKind kind = TMIBDataKind::mkDirect) {
    auto entry = std::make_unique<Toiddata>();
    entry->name = key;
    entry->description = description;
    entry->kind = kind;
    library.Add(std::move(entry));
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The group list items and group headings of a page, in order, e.g. "li:G1", "h2:G1".
std::vector<std::string> GroupMarks(const std::string& page) {
    std::vector<std::string> marks;
    for (std::size_t at = 0; (at = page.find("Group: ", at)) != std::string::npos; ++at) {
        const bool item = page.compare(at + 7, 10, "<a href=\"#") == 0;
        const std::size_t start = at + (item ? 17 : 8);  // after "Group: <a href=\"#" or "Group: \""
        marks.push_back((item ? "li:" : "h2:") + page.substr(start, page.find('"', start) - start));
    }
    return marks;
}

TEST(HtmlOverview, OneAgentTwoGroupsThreeEntries) {
    toidfile library;
    AddEntry(library, "A|G1|In", "Octets in");
    AddEntry(library, "A|G1|Out", "Octets out\r\nsecond line");
    AddEntry(library, "A|G2|Load", "Load per CPU", TMIBDataKind::mkTable);
    EXPECT_EQ(
        HtmlOverview(library),
        "<html><body>\r\n"
        "<h1>A" +
            Header +
            "<li>Group: <a href=\"#G1\">\"G1\"</a></li><li>Group: <a href=\"#G2\">\"G2\"</a></li></ul>\r\n"
            "<TABLE class=orderForm>\r\n"
            "<tr><td colspan=1><a name=\"G1\"></a><h2>Group: \"G1\"</h2></td></tr>"
            "<TR class=bg0><td style=\"font-weight:bold\">In</td></tr><TR class=bg1><td>Octets "
            "in</td></tr>\r\n"
            "<TR class=bg0><td style=\"font-weight:bold\">Out</td></tr><TR class=bg1><td>Octets out\r\n"
            "second line</td></tr>\r\n"
            "<tr><td colspan=1><a name=\"G2\"></a><h2>Group: \"G2\"</h2></td></tr>"
            "<TR class=bg0><td style=\"font-weight:bold\">Load (Table)</td></tr><TR class=bg1><td>Load per "
            "CPU</td></tr>\r\n"
            "</table>\r\n\r\n</body></html>\r\n");
}

TEST(HtmlOverview, EmptyLibrary) {
    EXPECT_EQ(HtmlOverview(toidfile()),
              "<html><body>\r\n</ul>\r\n<TABLE class=orderForm>\r\n</table>\r\n\r\n</body></html>\r\n");
}

TEST(HtmlOverview, NamesAndDescriptionsAreEscaped) {
    toidfile library;
    AddEntry(library, "R&D|\"Q\"<1>|a<b", "<script>alert(\"x\")</script> & more");
    const std::string page = HtmlOverview(library);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_NE(page.find("<h1>R&amp;D</h1>"), std::string::npos);
    EXPECT_NE(page.find("install R&amp;D on"), std::string::npos);
    EXPECT_NE(page.find("<li>Group: <a href=\"#&quot;Q&quot;&lt;1&gt;\">\"&quot;Q&quot;&lt;1&gt;\"</a></li>"),
              std::string::npos);
    EXPECT_NE(page.find("<a name=\"&quot;Q&quot;&lt;1&gt;\"></a>"), std::string::npos);
    EXPECT_NE(page.find("<td style=\"font-weight:bold\">a&lt;b</td></tr><TR class=bg1><td>"
                        "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; more</td></tr>\r\n"),
              std::string::npos);
}

TEST(HtmlOverview, EscapeHtmlKeepsOtherBytes) {
    EXPECT_EQ(EscapeHtml(""), "");
    EXPECT_EQ(EscapeHtml("Gr\xE4ppe 'x' \r\n"), "Gr\xE4ppe 'x' \r\n");
    EXPECT_EQ(EscapeHtml("&amp;"), "&amp;amp;");
}

TEST(HtmlOverview, GroupsAreCutAtHashThenColon) {
    struct Case {
        std::vector<std::string> keys;
        std::vector<std::string> marks;
    };
    const Case cases[] = {
        {{"A|MYGROUP#2|x"}, {"li:MYGROUP", "h2:MYGROUP"}},
        {{"A|MYGROUP:x|x"}, {"li:MYGROUP", "h2:MYGROUP"}},
        {{"A|G:x#1|x"}, {"li:G", "h2:G"}},
        {{"A|MYGROUP#1|x", "A|MYGROUP#2|y"}, {"li:MYGROUP", "h2:MYGROUP"}},
        {{"A|G1|x", "A|G2|y", "A|G1|z"}, {"li:G1", "li:G2", "li:G1", "h2:G1", "h2:G2", "h2:G1"}},
        // The previous group outlives a change of agent.
        {{"A|G|x", "B|G|y"}, {"li:G", "h2:G"}},
        // A group cut to nothing equals the empty previous group of the start: no item, no heading.
        {{"A|#x|x"}, {}},
        {{"A|G|x", "A|#x|y"}, {"li:G", "li:", "h2:G", "h2:"}},
        {{"plain"}, {"li:plain", "h2:plain"}},
    };
    for (const Case& c : cases) {
        toidfile library;
        for (const std::string& key : c.keys) AddEntry(library, key);
        EXPECT_EQ(GroupMarks(HtmlOverview(library)), c.marks) << c.keys.front();
    }
}

TEST(HtmlOverview, EveryAgentHeaderCountsTheWholeLibraryInsideTheOneList) {
    toidfile library;
    AddEntry(library, "A|G|x");
    AddEntry(library, "B|H|y");
    AddEntry(library, "B|H|z");
    AddEntry(library, "A|G|w");
    const std::string page = HtmlOverview(library);
    std::size_t headers = 0;
    for (std::size_t at = 0; (at = page.find("the following 4 performance", at)) != std::string::npos; ++at)
        ++headers;
    EXPECT_EQ(headers, 3u) << "A, B, then A again";
    EXPECT_EQ(page.find("the following 1 "), std::string::npos);
    EXPECT_NE(page.find("<li>Group: <a href=\"#G\">\"G\"</a></li><h1>B</h1>"), std::string::npos);
    EXPECT_EQ(page.find("</ul>"), page.rfind("</ul>")) << "the list is closed once";
}

// A folder of its own for each test, removed afterwards.
class HtmlOverviewFile : public testing::Test {
  protected:
    void SetUp() override { AddEntry(library_, "A|G1|In", std::string(4000, 'd')); }

    TempFolder temp_;
    const fs::path dir_ = temp_.path;
    toidfile library_;
};

TEST_F(HtmlOverviewFile, ReplacesTheFileWithThePage) {
    const fs::path page = dir_ / "mibinfo.html";
    std::ofstream(page) << std::string(10000, 'x');
    WriteHtmlOverview(library_, page.string());
    EXPECT_EQ(ReadBytes(page), HtmlOverview(library_));
}

TEST_F(HtmlOverviewFile, FailureToCreateNamesTheFile) {
    const std::string page = (dir_ / "missing" / "mibinfo.html").string();
    try {
        WriteHtmlOverview(library_, page);
        FAIL() << "no error";
    } catch (const OidFileError& error) {
        EXPECT_STREQ(error.what(),
                     ("Cannot create file \"" + page + "\". No such file or directory").c_str());
    }
}

// The file may grow to 1000 bytes only, as on a full disk: the write fails midway and the
// previous page stays whole.
TEST_F(HtmlOverviewFile, FailureMidwayKeepsThePreviousPage) {
    const fs::path page = dir_ / "mibinfo.html";
    std::ofstream(page) << "previous page";
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        WriteHtmlOverview(library_, page.string());
    } catch (const OidFileError& error) {
        message = error.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_EQ(message, "Cannot create file \"" + page.string() + "\". File too large");
    EXPECT_EQ(ReadBytes(page), "previous page");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);  // no temporary left
}

}  // namespace
