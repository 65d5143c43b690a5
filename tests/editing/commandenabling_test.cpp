#include "editing/commandenabling.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Every element under the four states of tree and partial selection, editor edited or not:
// columns are (empty, normal), (empty, partial), (not empty, normal), (not empty, partial).
struct Expected {
    bool states[4];
};

TEST(CommandEnablingTest, TableGivesEveryElementItsRule) {
    const std::map<std::string, Expected> whileEdited{
        {"PartialBox", {{false, true, false, true}}},
        {"Panel1", {{true, false, true, false}}},
        {"ChangesApplyAction", {{true, false, true, false}}},
        {"ChangesCancelAction", {{true, false, true, false}}},
        {"POPrepareAction", {{false, false, true, true}}},
        {"Save1", {{false, false, true, true}}},
        {"SaveAs1", {{false, false, true, true}}},
        {"SaveToZelto1", {{false, false, true, true}}},
        {"Findreplace1", {{false, false, true, true}}},
        {"CheckAgainstDevice1", {{false, false, true, true}}},
        {"FindAction", {{false, false, true, true}}},
        {"FindNextAction", {{false, false, true, true}}},
        {"FindPreviousAction", {{false, false, true, true}}},
        {"POAllAction", {{false, true, false, true}}},
        {"PONoneAction", {{false, true, false, true}}},
        {"POCancelAction", {{false, true, false, true}}},
        {"POSaveAction", {{false, true, false, true}}},
        {"Undo1", {{false, false, false, false}}},  // nothing to undo in these states
        {"Redo1", {{false, false, false, false}}},
    };
    ASSERT_EQ(EnablingTable().size(), whileEdited.size());
    for (const EnablingRow& row : EnablingTable()) {
        const std::string name(row.element);
        ASSERT_TRUE(whileEdited.contains(name)) << name;
        EXPECT_EQ(row.setsVisibility, name == "PartialBox") << name;
        for (int state = 0; state < 4; ++state) {
            const bool treeNotEmpty = state >= 2, partial = state % 2 == 1;
            for (bool edited : {true, false}) {
                const bool editorAction = name == "ChangesApplyAction" || name == "ChangesCancelAction";
                const bool expected = whileEdited.at(name).states[state] && (edited || !editorAction);
                EXPECT_EQ(RuleHolds(row.rule, {treeNotEmpty, partial, edited}), expected)
                    << name << " tree not empty " << treeNotEmpty << " partial " << partial << " edited "
                    << edited;
            }
        }
    }
}

TEST(CommandEnablingTest, UndoAndTheEditorWaitForEditsAndLongOperations) {
    const auto holds = [](const char* element, const EnablingFacts& facts) {
        for (const EnablingRow& row : EnablingTable())
            if (row.element == element) return RuleHolds(row.rule, facts);
        ADD_FAILURE() << element;
        return false;
    };
    struct Case {
        EnablingFacts facts;
        bool undo, redo, editor, apply;
    };
    for (const Case& c : std::initializer_list<Case>{
             {{.treeNotEmpty = true, .canUndo = true}, true, false, true, false},
             {{.treeNotEmpty = true, .canRedo = true}, false, true, true, false},
             {{.treeNotEmpty = true, .edited = true, .canUndo = true, .canRedo = true},
              false,
              false,
              true,
              true},
             {{.treeNotEmpty = true, .running = true, .canUndo = true}, false, false, false, false},
             {{.treeNotEmpty = true, .edited = true, .running = true}, false, false, false, false},
             {{.partial = true, .canUndo = true}, true, false, false, false},
         }) {
        EXPECT_EQ(holds("Undo1", c.facts), c.undo);
        EXPECT_EQ(holds("Redo1", c.facts), c.redo);
        EXPECT_EQ(holds("Panel1", c.facts), c.editor);
        EXPECT_EQ(holds("ChangesApplyAction", c.facts), c.apply);
    }
}

}  // namespace
