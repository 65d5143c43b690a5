#include "library/xmlreader.h"

#include <gtest/gtest.h>

#include "library/xmldocument.h"

namespace {

using namespace std::string_literals;

// name@attr="value"[text]{child child}
std::string Dump(const xml::Element& element) {
    std::string out = element.Name();
    for (const auto& attribute : element.Attributes())
        out += "@" + attribute.name + "=\"" + attribute.value + "\"";
    if (!element.Text().empty()) out += "[" + element.Text() + "]";
    if (!element.Children().empty()) {
        out += "{";
        for (const auto& child : element.Children()) out += Dump(*child) + " ";
        out.back() = '}';
    }
    return out;
}

std::string Read(std::string_view text) {
    xml::Element root;
    xml::ReadDocument(text, root);
    return Dump(root);
}

struct TreeCase {
    const char* what;
    std::string text;
    std::string tree;
};

class XmlReaderTree : public testing::TestWithParam<TreeCase> {};

TEST_P(XmlReaderTree, BuildsTree) {
    EXPECT_EQ(Read(GetParam().text), GetParam().tree) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, XmlReaderTree,
    testing::Values(
        TreeCase{"declaration ignored", "<?xml version=\"1.0\" ?>\r\n<a>x</a>", "a[x]"},
        TreeCase{"other processing instruction is a start tag", "<?pi?><a></a></?pi?>", "?pi?{a}"},
        TreeCase{"text trimmed", "<a> \t x y \r\n</a>", "a[x y]"},
        TreeCase{"blank run reduced", "<a>x  \t y</a>", "a[x y]"},
        TreeCase{"single tab kept", "<a>x\ty</a>", "a[x\ty]"},
        TreeCase{"CR LF inside text deleted", "<a>line\r\nnext</a>", "a[linenext]"},
        TreeCase{"LF CR inside text deleted", "<a>line\n\rnext</a>", "a[linenext]"},
        TreeCase{"lone LF kept", "<a>line\nnext</a>", "a[line\nnext]"},
        TreeCase{"CR LF inside a tag deleted", "<na\r\nme>x</name>", "name[x]"},
        TreeCase{"entity to CR LF", "<a>a&#x0d;b</a>", "a[a\r\nb]"},
        TreeCase{"entities in order", "<a>&lt;&gt;&quot;&amp;&apos;</a>", "a[<>\"&&apos;]"},
        TreeCase{"escaped entity stays literal", "<a>&amp;lt;</a>", "a[&lt;]"},
        TreeCase{"escaped CR LF entity stays literal", "<a>&amp;#x0d;</a>", "a[&#x0d;]"},
        TreeCase{"texts joined with CR LF", "<a>x<b/>y<c>z</c>w</a>", "a[x\r\ny\r\nw]{b c[z]}"},
        TreeCase{"blank text replaced", "<a>&#x0d;<b/>y</a>", "a[y]{b}"},
        TreeCase{"name ends at blank", "<a b=\"1\" c=\"x&amp;y\">t</a>", "a@b=\"1\"@c=\"x&y\"[t]"},
        TreeCase{"name ends at slash", "<a/b></a>", "a"},
        TreeCase{"empty element with attribute", "<r><e k=\"v\"/></r>", "r{e@k=\"v\"}"},
        TreeCase{"malformed attributes skipped", "<r a b= c=\"1 d=\"2\"></r>", "r@c=\"1 d=\""},
        TreeCase{"element names keep their case", "<Root><CHILD>1</CHILD></Root>", "Root{CHILD[1]}"},
        TreeCase{"end tag name stripped", "<a><b></ b ></a>", "a{b}"},
        TreeCase{"comment skipped", "<a><!-- note --><b/></a>", "a{b}"},
        TreeCase{"comment with markup inside", "<a><!-- <b> --><c/></a>", "a{c}"},
        TreeCase{"control characters are blanks", "\x01\x02<a>\x1fx\x1f</a>\x1f", "a[x]"},
        TreeCase{"bytes above 127 kept", "<a>\xE4\xF6\xFC</a>", "a[\xE4\xF6\xFC]"},
        TreeCase{"declaration in any case", "<?XML v?><r><a/></r>", "r{a}"},
        TreeCase{"comments in a row skipped", "<a><!-- c -->\n<!-- d --><b/></a>", "a{b}"},
        TreeCase{"text before a comment kept", "<a>x<!-- c --> </a>", "a[x]"},
        TreeCase{"empty element before the root", "<e/><r></r>", "r{e}"}));

struct ErrorCase {
    const char* what;
    std::string text;
    std::string message;
    int line;
};

class XmlReaderError : public testing::TestWithParam<ErrorCase> {};

TEST_P(XmlReaderError, FailsWithMessageAndLine) {
    const ErrorCase& c = GetParam();
    xml::Element root;
    try {
        xml::ReadDocument(c.text, root);
        FAIL() << c.what << ": no error";
    } catch (const xml::ReadError& error) {
        EXPECT_EQ(error.what(), c.message) << c.what;
        EXPECT_EQ(error.Line(), c.line) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, XmlReaderError,
    testing::Values(
        ErrorCase{"end tag in other case", "<a>\n<name>x</Name>",
                  "XML Parser mismatch: Wanted </name>, got </Name>", 2},
        ErrorCase{"end tag as read", "<a>\r\n\r\n</b  >", "XML Parser mismatch: Wanted </a>, got </b >", 3},
        ErrorCase{"end tag before any start tag", "</a>", "XML Parser mismatch: Wanted </>, got </a>", 1},
        ErrorCase{"text after root", "<oidlist></oidlist>\nx", "Junk after document element </oidlist>", 2},
        ErrorCase{"element after root", "<r/><a></a><b/>", "Junk after document element </a>", 1},
        ErrorCase{"comment after root", "<r></r>\n\n<!-- c -->", "Junk after document element </r>", 3}));

// A document cut short or damaged is refused whole: none of it may pass for the full library.
INSTANTIATE_TEST_SUITE_P(
    Incomplete, XmlReaderError,
    testing::Values(ErrorCase{"NUL byte", "<a>x</a>\n\0junk"s, "NUL byte in the file", 2},
                    ErrorCase{"NUL byte inside a value", "<a>\n<b>1.3\0.6</b></a>"s, "NUL byte in the file",
                              2},
                    ErrorCase{"element left open", "<a>\n<b>text</b>\n", "End of file inside <a>", 2},
                    ErrorCase{"inner element left open", "<a><b>text", "End of file inside <b>", 1},
                    ErrorCase{"cut inside a tag", "<a>\n<b></b\n", "End of file inside a tag", 2},
                    ErrorCase{"cut inside a comment", "<a>\n<!-- c </a>", "End of file inside a comment", 2},
                    ErrorCase{"comment left open after list", "<a><list>\n<!--\n<e/></list></a>",
                              "End of file inside a comment", 2},
                    ErrorCase{"no element at all", "<?xml version=\"1.0\" ?>\r\n",
                              "End of file before the root element", 1},
                    ErrorCase{"empty input", "", "End of file before the root element", 1},
                    ErrorCase{"comment inside a value", "<a>\n<oid>1.3<!-- x -->.6.1</oid></a>",
                              "Comment inside the text of <oid>", 2},
                    ErrorCase{"comment before a value", "<a><oid><!-- x -->1.3</oid></a>",
                              "Comment inside the text of <oid>", 1}));

TEST(XmlReader, LineTooLong) {
    std::string text = "<a>\n<b>\n" + std::string(xml::MaxLineLength, 'x') + "\n</b></a>";
    xml::Element root;
    try {
        xml::ReadDocument(text, root);
        FAIL() << "no error";
    } catch (const xml::ReadError& error) {
        EXPECT_STREQ(error.what(), "Line too long on line 3");
        EXPECT_EQ(error.Line(), 3);
    }
}

TEST(XmlReader, LongLineBelowTheLimitIsRead) {
    std::string text = "<a>" + std::string(xml::MaxLineLength - 8, 'x') + "</a>";
    EXPECT_EQ(Read(text).size(), xml::MaxLineLength - 8 + 3);
}

TEST(XmlReader, LastLineWithoutLineFeedCountsToo) {
    std::string text = "<a>\n" + std::string(xml::MaxLineLength, ' ');
    xml::Element root;
    EXPECT_THROW(xml::ReadDocument(text, root), xml::ReadError);
}

TEST(XmlReader, DeepNestingIsNoProblem) {
    std::string text;
    for (int i = 0; i < 200'000; ++i) text += "<a>";
    for (int i = 0; i < 200'000; ++i) text += "</a>";
    xml::Element root;
    xml::ReadDocument(text, root);
    EXPECT_EQ(root.Children().size(), 1u);
}

}  // namespace
