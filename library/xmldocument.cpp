#include "library/xmldocument.h"

#include "library/textcase.h"

namespace xml {

Element::Element(std::string name, Element* parent) : name_(std::move(name)), parent_(parent) {}

// Frees the subtree without recursion, so that a file nested a million levels deep
// cannot exhaust the stack.
Element::~Element() {
    std::vector<std::unique_ptr<Element>> pending = std::move(children_);
    while (!pending.empty()) {
        std::unique_ptr<Element> element = std::move(pending.back());
        pending.pop_back();
        for (auto& child : element->children_) pending.push_back(std::move(child));
        element->children_.clear();
    }
}

void Element::AddAttribute(std::string name, std::string value) {
    attributes_.push_back({std::move(name), std::move(value)});
}

const Element* Element::FindChild(std::string_view name) const {
    for (const auto& child : children_)
        if (textcase::EqualsIgnoreCase(child->name_, name)) return child.get();
    return nullptr;
}

Element& Element::Child(std::string_view name) {
    if (const Element* found = FindChild(name)) return *const_cast<Element*>(found);
    return AddChild(std::string(name));
}

Element& Element::AddChild(std::string name) {
    children_.push_back(std::make_unique<Element>(std::move(name), this));
    return *children_.back();
}

}  // namespace xml
