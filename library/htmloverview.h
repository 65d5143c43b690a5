#pragma once
// The overview page of a library: every agent with its groups, then every entry with its
// description, as one HTML file for a web site.

#include <string>

class toidfile;

// The page's bytes. Lines end with CR LF; the agent header and the group pieces run on in one
// line. Names and descriptions are HTML-escaped, everything else is fixed text. An empty library:
// "<html><body>\r\n</ul>\r\n<TABLE class=orderForm>\r\n</table>\r\n\r\n</body></html>\r\n".
std::string HtmlOverview(const toidfile& library);

// Writes the page to fileName as a library is saved: a failure midway leaves the previous page
// whole. Throws OidFileError "Cannot create file \"NAME\". REASON".
void WriteHtmlOverview(const toidfile& library, const std::string& fileName);

// "a<b & \"c\"" -> "a&lt;b &amp; &quot;c&quot;"; other bytes are kept as they are.
std::string EscapeHtml(const std::string& text);
