// What repair mode takes for the furniture of a page, a stray line or a text that swallowed the
// next clause, and, as much, what it must leave alone: MIB text that only looks alike.
#include "mib/textfaults.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SkipCase {
    const char* name;
    std::string text;       // the skip is asked for at the first character
    std::string skipped;    // the text skipped; "" when nothing is
    std::string what = "";  // why
};

TEST(TextFaults, PageFurnitureIsSkippedAndMibTextIsNot) {
    const std::string footer = "RFC page footer skipped", header = "RFC page header skipped";
    const std::vector<SkipCase> cases = {
        {"RFC footer", "Forbes       Expires December 2001          [Page 25]\r\nx",
         "Forbes       Expires December 2001          [Page 25]", footer},
        {"page mark alone", "McCloghrie                                [Page 5 ]\nx",
         "McCloghrie                                [Page 5 ]", footer},
        {"draft footer", "Valentine    Expires August 2001        9\nx",
         "Valentine    Expires August 2001        9", footer},
        {"ended by a form feed", "Smith    [Page 3]\fRFC 2863   The Interfaces Group MIB   June 2000\n",
         "Smith    [Page 3]", footer},
        {"RFC header", "RFC 2863       The Interfaces Group MIB       June 2000\nx",
         "RFC 2863       The Interfaces Group MIB       June 2000", header},
        {"header with a day", "Internet Draft     PW CEP MIB     August 30, 2006\nx",
         "Internet Draft     PW CEP MIB     August 30, 2006", header},
        {"header with its title carried on",
         "Internet-Draft    Remote Monitoring    October 2002\n              Management Information Base\nx",
         "Internet-Draft    Remote Monitoring    October 2002\n              Management Information Base",
         header},
        // MIB text: never furniture.
        {"a definition", "ifIndex OBJECT-TYPE   -- June 2000\n", ""},
        {"a revision", "REVISION   \"200006140000Z\"   -- June 2000\n", ""},
        {"a date without a gap", "    Updated in June 2000\n", ""},
        {"a month that is no month", "foo      Bar 2000\n", ""},
        {"a page mark in a text", "\"see [Page 12]\"\n", ""},
        {"expiry without a page", "certificates    Expires\n", ""},
    };
    for (const SkipCase& c : cases) {
        const textfaults::Skip skip = textfaults::PageFurniture(c.text, 0);
        EXPECT_EQ(c.text.substr(0, skip.length), c.skipped) << c.name;
        EXPECT_EQ(std::string(skip.what), c.what) << c.name;
    }
}

TEST(TextFaults, StrayProseIsSkippedOnlyBetweenCommentsOrAfterADefinition) {
    const std::vector<SkipCase> cases = {
        {"comment line without its dashes", "-- the first line of a\n   wrapped label\n-- and its end\n",
         "wrapped label", "line of a comment without its \"--\" skipped"},
        {"words after a definition", "::= { mib-2 xx } _ final assignment by IANA\nx",
         "_ final assignment by IANA", "words after the end of a definition skipped"},
        // Not prose: MIB syntax, or a line without comments around it.
        {"a definition between comments", "-- a\n   ifIndex OBJECT-TYPE\n-- b\n", ""},
        {"an assignment between comments", "-- a\n   foo ::= 3\n-- b\n", ""},
        {"words without comments around", "x\n   wrapped label\ny\n", ""},
        {"a reserved word between comments", "-- a\n   END\n-- b\n", ""},
    };
    for (const SkipCase& c : cases) {
        // The stray words start the second line, or follow the "}".
        const std::size_t at = c.text.starts_with("::=") ? c.text.find('}') + 2 : c.text.find('\n') + 4;
        const textfaults::Skip skip = textfaults::StrayProse(c.text, at);
        EXPECT_EQ(c.text.substr(at, skip.length), c.skipped) << c.name;
        EXPECT_EQ(std::string(skip.what), c.what) << c.name;
    }
}

TEST(TextFaults, ATextEndsBeforeTheClauseWhoseQuoteItSwallowed) {
    struct TextCase {
        const char* name;
        std::string content;  // of the quoted text as a strict lexer reads it
        std::string kept;     // up to where it should have ended; the whole content when it is whole
    };
    const std::vector<TextCase> cases = {
        {"next clause's quote swallowed", "A counter.\r\n    REFERENCE\r\n    ", "A counter.\r\n"},
        {"the clause after ::=", "A counter.\n   ::= { a 1 }\n   DESCRIPTION\n   ", "A counter.\n"},
        {"a whole text", "A counter of\n    REFERENCE points.", "A counter of\n    REFERENCE points."},
        {"keyword inside the last line", "Counts SYNTAX errors\n  of DESCRIPTION",
         "Counts SYNTAX errors\n  of DESCRIPTION"},
        {"one line", "DESCRIPTION", "DESCRIPTION"},
    };
    for (const TextCase& c : cases) {
        const std::size_t cut = textfaults::SwallowedClauses(c.content);
        EXPECT_EQ(c.content.substr(0, cut), c.kept) << c.name;
    }
}

TEST(TextFaults, NamesAndNumbersWrittenAsOne) {
    struct WordCase {
        std::string text;
        std::size_t name, number;  // NameWithJoiners and DottedNumber at 0
    };
    const std::vector<WordCase> cases = {
        {"N/A(3)", 3, 0},   {"E&M-Wink,", 8, 0}, {"ECS/1-bridge/router }", 19, 0},
        {"ifIndex ", 0, 0}, {"a/ b", 0, 0},      {"0.0.0.0 }", 0, 7},
        {"1.2", 0, 3},      {"12 }", 0, 0},      {"3. x", 0, 0},
    };
    for (const WordCase& c : cases) {
        EXPECT_EQ(textfaults::NameWithJoiners(c.text, 0), c.name) << c.text;
        EXPECT_EQ(textfaults::DottedNumber(c.text, 0), c.number) << c.text;
    }
}

TEST(TextFaults, TheModuleHeaderIsFoundPastStrayText) {
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {"Title of the draft\nA-MIB DEFINITIONS ::= BEGIN", 19},
        {"x\nAXIS-MIB { iso 1 } DEFINITIONS ::= BEGIN", 2},
        {"-- B-MIB DEFINITIONS in a comment\nC-MIB DEFINITIONS ::=", 34},
        {"no header here", std::string::npos},
        {"-- a comment's last word\n  DEFINITIONS ::= BEGIN", std::string::npos},
        {"MYDEFINITIONS ::=", std::string::npos},
    };
    for (const auto& [text, start] : cases) EXPECT_EQ(textfaults::ModuleHeaderStart(text, 0), start) << text;
}

}  // namespace
