#pragma once
// Renders an XML document tree as the exact bytes of an .oidlib file.

#include <string>

namespace xml {

class Element;

// The declaration line, then root at indentation 2; every line ends in CR LF.
//   <list/>                     an element without (non-blank) text and children
//   <name>\r\n  a&#x0d;b\r\n</name>   text on its own line, 2 spaces deeper
std::string WriteDocument(const Element& root);

}  // namespace xml
