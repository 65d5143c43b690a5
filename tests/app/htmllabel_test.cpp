#include "widgets/htmllabel.h"

#include <gtest/gtest.h>

namespace {

TEST(HtmlLabel, FontSizesAboveTheHtmlScaleAreShownInPoints) {
    const struct {
        const char* html;
        const char* shown;
    } cases[] = {
        {"<b><FONT size=\"10\">V</FONT></b>", "<b><FONT style=\"font-size:10pt\">V</FONT></b>"},
        {"<font color=red size=12>x</font>", "<font color=red style=\"font-size:12pt\">x</font>"},
        {"<font size=\"2\">small</font>", "<font size=\"2\">small</font>"},
        {"<font size=\"7\">a</font><font size=\"8\">b</font>",
         "<font size=\"7\">a</font><font style=\"font-size:8pt\">b</font>"},
        {"size=\"10\" outside a tag", "size=\"10\" outside a tag"},
        {"<p size=\"10\">", "<p size=\"10\">"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(HtmlLabel::ShownHtml(c.html), c.shown) << c.html;
}

TEST(HtmlLabel, KeepsTheHtmlAsGiven) {
    HtmlLabel label("<FONT size=\"10\">*version*</FONT>");
    EXPECT_EQ(label.html(), "<FONT size=\"10\">*version*</FONT>");
    EXPECT_EQ(label.text(), "<FONT style=\"font-size:10pt\">*version*</FONT>");
    EXPECT_EQ(label.textFormat(), Qt::RichText);
    label.setHtml("<b>x</b>");
    EXPECT_EQ(label.html(), "<b>x</b>");
}

}  // namespace
