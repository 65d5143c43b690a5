#include "library/xmldocument.h"

#include <gtest/gtest.h>

namespace {

TEST(XmlDocument, ChildLookupIgnoresCaseAndCreatesNothing) {
    struct Case {
        const char* wanted;
        int expectedIndex;  // index among the children, -1: none found
    };
    const Case cases[] = {
        {"list", 0}, {"LIST", 0},  {"System", 1}, {"\xC8\xCC\xDF", 2},  // Cyrillic ИМЯ vs имя
        {"\xA8", 3},                                                    // Ё vs ё
        {"lis", -1}, {"\xE0", -1},
    };
    for (const Case& c : cases) {
        xml::Element root("oidlist");
        root.AddChild("list");
        root.AddChild("system");
        root.AddChild("\xE8\xEC\xFF");
        root.AddChild("\xB8");
        const xml::Element* found = root.FindChild(c.wanted);
        EXPECT_EQ(found, c.expectedIndex >= 0 ? root.Children()[c.expectedIndex] : nullptr) << c.wanted;
        EXPECT_EQ(root.Children().size(), 4u) << c.wanted;
    }
}

TEST(XmlDocument, DeepTreeIsFreedWithoutRecursion) {
    auto root = std::make_unique<xml::Element>("a");
    xml::Element* current = root.get();
    for (int i = 0; i < 1'000'000; ++i) current = &current->AddChild("a");
    EXPECT_EQ(current->Parent()->Parent()->Name(), "a");
    root.reset();  // a recursive destructor would overflow the stack here
}

}  // namespace
