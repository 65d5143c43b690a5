#include "library/xmldocument.h"

#include <algorithm>

#include "text/windows1251case.h"

namespace xml {

// Elements of one document, allocated in blocks that grow from 16 up to 4096 elements.
class Element::Pool {
  public:
    Element& New() {
        if (used_ == capacity_) {
            capacity_ = std::min<std::size_t>(capacity_ == 0 ? 16 : 2 * capacity_, 4096);
            blocks_.push_back(std::make_unique<Element[]>(capacity_));
            used_ = 0;
        }
        return blocks_.back()[used_++];
    }

  private:
    std::vector<std::unique_ptr<Element[]>> blocks_;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
};

Element::Element(std::string name) : name_(std::move(name)) {}

Element::~Element() = default;

void Element::AddAttribute(std::string name, std::string value) {
    attributes_.push_back({std::move(name), std::move(value)});
}

const Element* Element::FindChild(std::string_view name) const {
    for (const Element* child : children_)
        if (windows1251case::EqualsIgnoringCase(child->name_, name)) return child;
    return nullptr;
}

Element& Element::Child(std::string_view name) {
    if (const Element* found = FindChild(name)) return *const_cast<Element*>(found);
    return AddChild(std::string(name));
}

Element& Element::AddChild(std::string name) {
    if (pool_ == nullptr) {
        ownPool_ = std::make_unique<Pool>();
        pool_ = ownPool_.get();
    }
    Element& child = pool_->New();
    child.name_ = std::move(name);
    child.parent_ = this;
    child.pool_ = pool_;
    children_.push_back(&child);
    return child;
}

}  // namespace xml
