#include "editing/commandenabling.h"

const std::vector<EnablingRow>& EnablingTable() {
    static const std::vector<EnablingRow> table{
        {"PartialBox", true, EnablingRule::IfPartial},
        {"Panel1", false, EnablingRule::IfNotPartialAndNotRunning},
        {"ChangesApplyAction", false, EnablingRule::IfNotPartialAndEdited},
        {"ChangesCancelAction", false, EnablingRule::IfNotPartialAndEdited},
        {"POPrepareAction", false, EnablingRule::IfTreeNotEmpty},
        {"Save1", false, EnablingRule::IfTreeNotEmpty},
        {"SaveAs1", false, EnablingRule::IfTreeNotEmpty},
        {"SaveToZelto1", false, EnablingRule::IfTreeNotEmpty},
        {"Findreplace1", false, EnablingRule::IfTreeNotEmpty},
        {"CheckAgainstDevice1", false, EnablingRule::IfTreeNotEmpty},
        {"FindAction", false, EnablingRule::IfTreeNotEmpty},
        {"FindNextAction", false, EnablingRule::IfTreeNotEmpty},
        {"FindPreviousAction", false, EnablingRule::IfTreeNotEmpty},
        {"POAllAction", false, EnablingRule::IfPartial},
        {"PONoneAction", false, EnablingRule::IfPartial},
        {"POCancelAction", false, EnablingRule::IfPartial},
        {"POSaveAction", false, EnablingRule::IfPartial},
        {"Undo1", false, EnablingRule::IfUndoable},
        {"Redo1", false, EnablingRule::IfRedoable},
    };
    return table;
}

bool RuleHolds(EnablingRule rule, const EnablingFacts& facts) {
    switch (rule) {
        case EnablingRule::IfPartial:
            return facts.partial;
        case EnablingRule::IfNotPartialAndNotRunning:
            return !facts.partial && !facts.running;
        case EnablingRule::IfNotPartialAndEdited:
            return !facts.partial && facts.edited && !facts.running;
        case EnablingRule::IfTreeNotEmpty:
            return facts.treeNotEmpty;
        case EnablingRule::IfUndoable:
            return facts.canUndo && !facts.edited && !facts.running;
        case EnablingRule::IfRedoable:
            return facts.canRedo && !facts.edited && !facts.running;
    }
    return false;
}
