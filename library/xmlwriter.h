#pragma once
// Renders an XML document tree as the exact bytes of an .oidlib file.

#include <string>
#include <string_view>
#include <vector>

namespace xml {

// Writes elements straight into text: the declaration line, then the first element at
// indentation 2, each level 2 spaces deeper; every line ends in CR LF.
//   Leaf("v", "")          <v/>                       blank text gives an empty element
//   Leaf("v", "a\r\nb")    <v>\r\n  a&#x0d;b\r\n</v>   text on its own line, 2 spaces deeper
//   Open("a"); Leaf("b", "x"); Close();                 a > b(x)
class StreamWriter {
  public:
    explicit StreamWriter(std::string& out);                  // appends the declaration line
    void Open(std::string_view name);                         // a start tag; children follow, then Close()
    void Leaf(std::string_view name, std::string_view text);  // text only; blank text gives <name/>
    void Close();                                             // the innermost open element's end tag

  private:
    std::size_t Indent() const { return 2 * (open_.size() + 1); }
    std::string& out_;
    std::vector<std::string> open_;
};

}  // namespace xml
