#pragma once
// The faults of a module's text that the lexer reads past in repair mode: what an RFC or draft
// leaves between its pages, "//" comments, and a text that swallowed the next clause's quote.
// Every function takes a 0-based index into the module text and only looks.

#include <cstddef>
#include <string_view>

namespace textfaults {

// Text that repair mode skips as a comment: its length from the index, and why.
struct Skip {
    std::size_t length = 0;  // 0: nothing to skip
    const char* what = "";
};

// Whether index is the first character of its line: only blanks and tabs stand between it and the
// start of text, a line break or a form feed (a page break may join a footer and a header in a line).
bool AtLineStart(std::string_view text, std::size_t index);

// At the start of a line: a page footer ("Forbes   Expires December 2001   [Page 25]") or header
// ("Internet Draft   PW CEP MIB   October 2002", "RFC 2863   The Interfaces Group MIB   June 2000"),
// up to the line break or form feed that ends it. A header's title carried on in the next line
// ("Information Base") is skipped with it.
Skip PageFurniture(std::string_view text, std::size_t index);

// "//" up to the end of its line.
Skip SlashComment(std::string_view text, std::size_t index);

// Words where a definition should start, up to the end of their line: a line between two comment
// lines (a comment wrapped without its "--": "  ranges" after "-- ... label"), or the rest of a
// line after a definition's "}" ("::= { mib-2 xx } _ final assignment by IANA"). Words of MIB
// syntax (a reserved word, a macro or clause keyword) are never taken for prose.
Skip StrayProse(std::string_view text, std::size_t index);

// The length of a name that goes on past a "/", "+" or "&" ("N/A", "ECS/1-bridge/router", "E&M-Wink")
// from index, the name's first character; 0 when none of them continues it.
std::size_t NameWithJoiners(std::string_view text, std::size_t index);

// The index of the module name in the first header "NAME DEFINITIONS" or "NAME { oid } DEFINITIONS"
// at or after from, outside comments; npos when there is none.
std::size_t ModuleHeaderStart(std::string_view text, std::size_t from);

// The length of a dotted number written without quotes ("0.0.0.0", "1.2") from index, its first
// digit; 0 when the digits are not followed by a dot and a digit.
std::size_t DottedNumber(std::string_view text, std::size_t index);

// A quoted text whose closing quote is missing runs on to the opening quote of a later clause, so
// that it ends in a line holding only that clause's keyword ("...\r\n   REVISION\r\n   "). Returns
// where it should have ended: the start of its first line that begins with a clause keyword or
// "::=", or npos when content does not end so.
std::size_t SwallowedClauses(std::string_view content);

// Whether word is a clause keyword of the SMI macros (SYNTAX, DESCRIPTION, REVISION, ...), and
// whether its value is a quoted text.
bool IsClauseKeyword(std::string_view word);
bool TakesText(std::string_view keyword);

}  // namespace textfaults
