#pragma once
// The small XML document tree through which .oidlib files are read and written.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xml {

struct Attribute {
    std::string name;
    std::string value;
};

// One element: name, text, attributes in order, owned children and a link to its parent.
// The document is its root element; the root owns the storage of all its descendants,
// so a tree of any depth is freed without recursion and in few blocks.
class Element {
  public:
    explicit Element(std::string name = {});
    ~Element();
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    int Line() const { return line_; }  // 1-based line of the start tag in the text read; 0 when built
    void SetLine(int line) { line_ = line; }
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    void AppendText(std::string_view text) { text_.append(text); }
    std::string TakeText() { return std::move(text_); }  // leaves the text empty
    const std::vector<Attribute>& Attributes() const { return attributes_; }
    void AddAttribute(std::string name, std::string value);

    Element* Parent() const { return parent_; }
    const std::vector<Element*>& Children() const { return children_; }

    // The first child named name regardless of letter case, or nullptr when there is none.
    // Looking up creates nothing, so reading a file with many sparse elements costs no more
    // than the file itself.
    const Element* FindChild(std::string_view name) const;
    Element* FindChild(std::string_view name);
    Element& AddChild(std::string name);  // appended at the end
    // Removes the last child, which must be the last element made in the document (as a
    // reader's closed element is), and frees it with all it holds.
    void DropLastChild();

  private:
    class Pool;
    void Empty();  // as made, for a pool slot made again

    std::string name_;
    std::string text_;
    std::vector<Attribute> attributes_;
    std::vector<Element*> children_;
    Element* parent_ = nullptr;
    int line_ = 0;
    Pool* pool_ = nullptr;           // the root's storage, shared by every descendant
    std::unique_ptr<Pool> ownPool_;  // set on a root once it has children
};

}  // namespace xml
