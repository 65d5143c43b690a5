#pragma once
// Parses the text of an .oidlib file into an XML document tree, with the
// tolerances and the messages that library files have always been read with.

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace xml {

class Element;

// Longest line (bytes between line feeds) the reader holds at once.
inline constexpr std::size_t MaxLineLength = 10'000'000;

// Malformed text; Line() is the 1-based line where the offending token starts.
class ReadError : public std::runtime_error {
  public:
    ReadError(const std::string& message, int line) : std::runtime_error(message), line_(line) {}
    int Line() const { return line_; }

  private:
    int line_;
};

// Fills root (an empty element) from text, which must hold the whole document: a file cut
// short or damaged is refused rather than read in part. Throws ReadError:
//   "XML Parser mismatch: Wanted </a>, got </b>"   an end tag that does not close the open element
//   "Junk after document element </oidlist>"      a token after the root is closed
//   "Line too long on line 3"                      a line of MaxLineLength bytes or more
//   "NUL byte in the file"                         a byte of value 0 anywhere
//   "End of file inside <entry>"                   an element left open
//   "End of file before the root element"          no start tag at all
//   "End of file inside a tag", "End of file inside a comment"
//   "Comment inside the text of <oid>"             text between a comment and the next tag
// done, when given, sees every element but the root once its end tag (or its empty tag) is
// read; when it returns true the element is dropped from the tree with all it holds, so that
// a caller who takes what it needs from each element of a long list keeps only one in memory.
using ElementDone = std::function<bool(Element& element)>;
void ReadDocument(std::string_view text, Element& root, const ElementDone& done = {});

// Blank runs and CR LF / LF CR pairs as the reader normalises every token:
//   "a\r\nb  c" -> "ab c"
// Returns token itself when it needs no change, else a view of scratch holding the result.
std::string_view NormaliseToken(std::string_view token, std::string& scratch);

// Entities replaced in this order: &#x0d; (to CR LF), &lt;, &gt;, &quot;, &amp;.
std::string Unescape(std::string_view text);

}  // namespace xml
