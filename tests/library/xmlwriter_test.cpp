#include "library/xmlwriter.h"

#include <gtest/gtest.h>

#include "library/xmldocument.h"

namespace {

constexpr const char* declaration = "<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n";

// The document of a root holding one child with text.
std::string WriteText(const std::string& text) {
    xml::Element root("r");
    root.AddChild("v").SetText(text);
    return xml::WriteDocument(root);
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

TEST(XmlWriter, AttributesAndNesting) {
    xml::Element root("r");
    root.AddAttribute("k", "a\"b");
    xml::Element& child = root.AddChild("c");
    child.SetText("t");
    child.AddChild("d");
    EXPECT_EQ(xml::WriteDocument(root), std::string(declaration) +
                                            "  <r k=\"a&quot;b\">\r\n"
                                            "    <c>\r\n"
                                            "      t\r\n"
                                            "      <d/>\r\n"
                                            "    </c>\r\n"
                                            "  </r>\r\n");
}

TEST(XmlWriter, DeepTreeIndentsTwoSpacesPerLevel) {
    xml::Element root("a");
    xml::Element* current = &root;
    for (int i = 0; i < 3000; ++i) current = &current->AddChild("a");
    const std::string out = xml::WriteDocument(root);
    EXPECT_NE(out.find(std::string(2 * 3001, ' ') + "<a/>\r\n"), std::string::npos);
    EXPECT_TRUE(out.ends_with("\r\n  </a>\r\n"));
}

}  // namespace
