#include "library/xmlwriter.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* declaration = "<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n";

// The document of a root holding one child with text.
std::string WriteText(const std::string& text) {
    std::string out;
    xml::StreamWriter writer(out);
    writer.Open("r");
    writer.Leaf("v", text);
    writer.Close();
    return out;
}

TEST(XmlWriter, TextIsEscapedOnItsOwnLine) {
    struct Case {
        std::string text;
        std::string body;  // the lines between <r> and </r>
    };
    const Case cases[] = {
        {"plain", "    <v>\r\n      plain\r\n    </v>\r\n"},
        {"a\r\nb", "    <v>\r\n      a&#x0d;b\r\n    </v>\r\n"},
        {"&<>\"'", "    <v>\r\n      &amp;&lt;&gt;&quot;'\r\n    </v>\r\n"},
        {"&lt;", "    <v>\r\n      &amp;lt;\r\n    </v>\r\n"},
        {"lone\rcr lone\nlf\ttab \xE9", "    <v>\r\n      lone\rcr lone\nlf\ttab \xE9\r\n    </v>\r\n"},
        {"x\r\r\n\n", "    <v>\r\n      x\r&#x0d;\n\r\n    </v>\r\n"},
        {"  padded  ", "    <v>\r\n        padded  \r\n    </v>\r\n"},
        {" \t\r\n", "    <v/>\r\n"},
        {std::string("\0 ", 2), "    <v/>\r\n"},  // NUL counts as blank when stripping
        {"", "    <v/>\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WriteText(c.text), std::string(declaration) + "  <r>\r\n" + c.body + "  </r>\r\n")
            << "text \"" << c.text << "\"";
    }
}

TEST(XmlWriter, NestsTwoSpacesPerLevel) {
    std::string out;
    xml::StreamWriter writer(out);
    writer.Open("r");
    writer.Open("c");
    writer.Leaf("t", "x");
    writer.Leaf("d", "");
    writer.Close();
    writer.Close();
    EXPECT_EQ(out, std::string(declaration) +
                       "  <r>\r\n"
                       "    <c>\r\n"
                       "      <t>\r\n"
                       "        x\r\n"
                       "      </t>\r\n"
                       "      <d/>\r\n"
                       "    </c>\r\n"
                       "  </r>\r\n");
}

}  // namespace
