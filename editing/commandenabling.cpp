#include "editing/commandenabling.h"

const std::vector<EnablingRow>& EnablingTable() {
    static const std::vector<EnablingRow> table{
        {"PartialBox", true, EnablingRule::IfPartial},
        {"Panel1", false, EnablingRule::IfNotPartial},
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
    };
    return table;
}

bool RuleHolds(EnablingRule rule, const EnablingFacts& facts) {
    switch (rule) {
        case EnablingRule::IfPartial:
            return facts.partial;
        case EnablingRule::IfNotPartial:
            return !facts.partial;
        case EnablingRule::IfNotPartialAndEdited:
            return !facts.partial && facts.edited;
        case EnablingRule::IfTreeNotEmpty:
            return facts.treeNotEmpty;
    }
    return false;
}
