#pragma once
// Renders an XML document tree as the exact bytes of an .oidlib file.

#include <string>
#include <string_view>
#include <vector>

namespace xml {

class Element;

// The declaration line, then root at indentation 2; every line ends in CR LF.
//   <list/>                     an element without (non-blank) text and children
//   <name>\r\n  a&#x0d;b\r\n</name>   text on its own line, 2 spaces deeper
std::string WriteDocument(const Element& root);

// Writes elements straight into text with WriteDocument's layout, for a writer that has no
// tree to build: Open("a"); Leaf("b", "x"); Close(); gives what WriteDocument gives for the
// tree a > b(x).
class StreamWriter {
  public:
    explicit StreamWriter(std::string& out);  // appends the declaration line
    void Open(std::string_view name);        // a start tag; children follow, then Close()
    void Leaf(std::string_view name, std::string_view text);  // text only; blank text gives <name/>
    void Close();                                             // the innermost open element's end tag

  private:
    std::size_t Indent() const { return 2 * (open_.size() + 1); }
    std::string& out_;
    std::vector<std::string> open_;
};

}  // namespace xml
