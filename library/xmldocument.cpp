#include "library/xmldocument.h"

#include <algorithm>
#include <utility>

#include "text/windows1251case.h"

namespace xml {

// Elements of one document, allocated in blocks that grow from 16 up to 4096 elements. The
// last elements made can be given back (a dropped child with its descendants); their slots
// are emptied and made again first.
class Element::Pool {
  public:
    Element& New() {
        if (blocks_.empty()) {
            AddBlock(16);
        } else if (used_ == blocks_[current_].size) {
            if (current_ + 1 == blocks_.size())
                AddBlock(std::min<std::size_t>(2 * blocks_.back().size, 4096));
            ++current_;
            used_ = 0;
        }
        return blocks_[current_].elements[used_++];
    }

    // Empties first and every element made after it, and makes them again from first on.
    void GiveBackFrom(const Element* first) {
        for (;;) {
            Element* start = blocks_[current_].elements.get();
            const bool here = first >= start && first < start + blocks_[current_].size;
            const std::size_t from = here ? static_cast<std::size_t>(first - start) : 0;
            for (std::size_t i = from; i < used_; ++i) start[i].Empty();
            used_ = from;
            if (here || current_ == 0) return;
            used_ = blocks_[--current_].size;
        }
    }

  private:
    struct Block {
        std::unique_ptr<Element[]> elements;
        std::size_t size;
    };
    void AddBlock(std::size_t size) { blocks_.push_back({std::make_unique<Element[]>(size), size}); }
    std::vector<Block> blocks_;
    std::size_t current_ = 0;  // the block elements are made from
    std::size_t used_ = 0;     // elements made in it
};

Element::Element(std::string name) : name_(std::move(name)) {}

Element::~Element() = default;

void Element::Empty() {
    name_.clear();
    text_ = std::string();
    attributes_ = {};
    children_ = {};
    parent_ = nullptr;
    line_ = 0;
}

void Element::DropLastChild() {
    const Element* child = children_.back();
    children_.pop_back();
    pool_->GiveBackFrom(child);
}

void Element::AddAttribute(std::string name, std::string value) {
    attributes_.push_back({std::move(name), std::move(value)});
}

const Element* Element::FindChild(std::string_view name) const {
    for (const Element* child : children_)
        if (windows1251case::EqualsIgnoringCase(child->name_, name)) return child;
    return nullptr;
}

Element* Element::FindChild(std::string_view name) {
    return const_cast<Element*>(std::as_const(*this).FindChild(name));
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
