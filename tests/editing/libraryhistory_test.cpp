#include "editing/libraryhistory.h"

#include <gtest/gtest.h>

#include <functional>

#include "library/oidfile.h"

namespace {

void add(toidfile& library, const std::string& name) {
    auto entry = std::make_unique<Toiddata>();
    entry->name = name;
    library.Add(std::move(entry));
}

std::string names(const toidfile& library) {
    std::string joined;
    for (int i = 0; i < library.Count(); ++i) joined += (i ? " " : "") + library.Entries(i)->name;
    return joined;
}

class LibraryHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"a", "b", "c", "d"}) add(library, name);
        history.Reset(library);
    }
    toidfile library;
    LibraryHistory history;
};

TEST_F(LibraryHistoryTest, EachKindOfChangeIsUndoneAndRedone) {
    Toiddata* b = library.Entries(1);
    Toiddata* d = library.Entries(3);
    struct Change {
        std::string what;
        std::function<void()> make;
        std::string after;
    };
    const std::vector<Change> changes{
        {"Apply",
         [&] {
             b->oid = "1.3.6";
             b->name = "b2";
         },
         "a b2 c d"},
        {"Add", [&] { add(library, "e"); }, "a b2 c d e"},
        {"Delete",
         [&] { library.DeleteIf([](const Toiddata& e) { return e.name == "a" || e.name == "c"; }); },
         "b2 d e"},
        {"Import",
         [&] {
             add(library, "f");
             add(library, "g");
         },
         "b2 d e f g"},
    };
    std::vector<std::string> before{names(library)};
    for (const Change& change : changes) {
        change.make();
        ASSERT_TRUE(history.Record(library, change.what)) << change.what;
        EXPECT_EQ(names(library), change.after);
        before.push_back(names(library));
    }
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        EXPECT_EQ(history.UndoName(), change->what);
        history.Undo(library);
        before.pop_back();
        EXPECT_EQ(names(library), before.back()) << "undo " << change->what;
    }
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(library.Entries(1), b) << "an entry that stays keeps its object";
    EXPECT_EQ(library.Entries(3), d);
    EXPECT_EQ(b->oid, "") << "its fields are as before the change";
    EXPECT_TRUE(history.AtSavedState());
    for (const Change& change : changes) {
        EXPECT_EQ(history.RedoName(), change.what);
        history.Redo(library);
        EXPECT_EQ(names(library), change.after) << "redo " << change.what;
    }
    EXPECT_EQ(library.Entries(0), b);
    EXPECT_EQ(b->oid, "1.3.6");
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(LibraryHistoryTest, SavedStateAndWhatAChangeDropsFromRedo) {
    EXPECT_FALSE(history.Record(library, "Replace")) << "nothing changed: no step";
    EXPECT_FALSE(history.CanUndo());
    library.Entries(0)->units = "Bytes";
    history.Record(library, "Replace");
    EXPECT_FALSE(history.AtSavedState());
    history.MarkSaved();
    library.Entries(0)->units = "Packets";
    history.Record(library, "Apply");
    history.Undo(library);
    EXPECT_TRUE(history.AtSavedState()) << "back at what was saved";
    history.Undo(library);
    EXPECT_FALSE(history.AtSavedState());
    add(library, "x");
    history.Record(library, "Add");  // replaces the saved state, which only Redo could reach
    EXPECT_FALSE(history.CanRedo());
    history.Undo(library);
    EXPECT_FALSE(history.AtSavedState()) << "the saved state is gone for good";
    history.ForgetSaved();
    EXPECT_FALSE(history.AtSavedState());
}

TEST_F(LibraryHistoryTest, TheOldestStepsGoFirstBeyondTheBounds) {
    struct Bound {
        std::size_t steps, slots;
        std::size_t kept;
    };
    for (const Bound& bound : {Bound{3, 1000, 3}, Bound{100, 4 + 4 + 5, 2}}) {
        toidfile lib;
        for (const char* name : {"a", "b", "c", "d"}) add(lib, name);
        LibraryHistory bounded(bound.steps, bound.slots);
        bounded.Reset(lib);
        for (int i = 0; i < 5; ++i) {
            lib.Entries(0)->oid = std::to_string(i);
            if (i == 4) add(lib, "e");
            bounded.Record(lib, "Apply");
        }
        EXPECT_EQ(bounded.UndoSteps(), bound.kept) << bound.steps << " " << bound.slots;
        while (bounded.CanUndo()) bounded.Undo(lib);
        EXPECT_EQ(lib.Entries(0)->oid, std::to_string(4 - bound.kept));
        EXPECT_FALSE(bounded.AtSavedState()) << "the saved state was dropped";
    }
}

}  // namespace
