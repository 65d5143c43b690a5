#include "import/mibconverter.h"

#include <map>
#include <string_view>

#include "import/displaynames.h"
#include "import/importlogger.h"
#include "import/incompletecauses.h"
#include "import/mibunits.h"
#include "import/units.h"
#include "library/namekey.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "text/asciicase.h"
#include "text/windows1251case.h"

namespace {

constexpr std::size_t MaxDescription = 4096;
constexpr std::size_t TruncatedDescription = 3800;
constexpr const char* TruncationNote =
    " ###### This description is too long, entry was truncated. Please refer to the MIB file for more "
    "information!";

bool IsNumericSyntax(const std::string& syntax) {
    return syntax == "@integer" || syntax == "@gauge" || syntax == "@counter";
}

std::string Truncated(std::string description) {
    if (description.size() > MaxDescription)
        description = description.substr(0, TruncatedDescription) + TruncationNote;
    return description;
}

std::string WithoutLastArc(const std::string& oid) {
    return oid.substr(0, oid.rfind('.') + 1);
}

// "ifTable" -> "if": the first "table" in any letter case goes.
std::string TableGroup(const std::string& tableName) {
    std::string group = tableName;
    const std::size_t found = windows1251case::FindIgnoringCase(group, "table");
    if (found != std::string::npos) group.erase(found, 5);
    return group;
}

// "MAX-ACCESS not-accessible" and the like for an object no agent returns, else "".
std::string AccessNeverReturned(const tmibentry& symbol) {
    for (const char* keyword : {"MAX-ACCESS", "ACCESS"}) {
        const std::string access = symbol.ClauseValue(keyword);
        if (access.empty()) continue;
        const bool never = asciicase::EqualsIgnoringCase(access, "not-accessible") ||
                           asciicase::EqualsIgnoringCase(access, "accessible-for-notify") ||
                           asciicase::EqualsIgnoringCase(access, "write-only");
        return never ? keyword + std::string(" ") + access : "";
    }
    return "";
}

}  // namespace

bool MibConverter::ConvertAll() {
    existing_.Collect(library_, agent_);
    for (int i = 0; i < mib_.EntryCount(); ++i) {
        const tmibentry& symbol = mib_.EntryAt(i);
        if (symbol.Imported) continue;
        NoteContradictingNumbers(symbol);
        if (symbol.Macro != "OBJECT-TYPE") continue;
        std::string syntax;
        const tasntype* resolvedType = mib_.ResolveSyntaxType(symbol, syntax);
        if (IsNumericSyntax(syntax))
            Convert(symbol, syntax, resolvedType);
        else if (!syntax.empty() && syntax[0] != '@' && syntax != "BITS")  // BITS is SMIv2's own, not numeric
            UnreadableType(symbol, syntax);
    }
    KeepUnitWordsWhereIndicatorsMeet();
    if (existing_.Skipped() > 0)
        log_.Log(std::to_string(existing_.Skipped()) +
                 " entries were in the library already and were not added again");
    return success_;
}

void MibConverter::Convert(const tmibentry& symbol, const std::string& syntax, const tasntype* resolvedType) {
    timportstat& stats = library_.ImportStats;
    const ParentChain chain = WalkParents(mib_, symbol);
    stats.AddOid(symbol.Name, symbol.Macro, chain.rooted ? oidResolved : oidPartial);
    // An arc not assigned yet is a repair's finding, not a fault of the import.
    if (!chain.rooted && !chain.unassigned) Incomplete(UnrootedCause(chain));
    if (chain.members.size() < 2)
        return NoEntry(symbol, chain.rooted ? "its parent is the root iso itself" : UnrootedReason(chain));

    auto entry = std::make_unique<Toiddata>();
    const std::string description = symbol.ClauseValue("DESCRIPTION");
    entry->description = Truncated(description);
    if (!names_.KeepCapitalRuns) names_.CollectAbbreviations(entry->description);
    const bool counter = syntax == "@counter";
    std::vector<const tasntype*> syntaxChain;
    if (counter || options_.unitsFromMib) syntaxChain = mib_.SyntaxChain(symbol);
    const bool counterBasedGauge = counter && IsCounterBasedGauge(syntaxChain);
    entry->type = counter && !counterBasedGauge ? TValueMode::vmDiff : TValueMode::vmAbsolute;
    // Flags of a textual convention or type assignment come from the type it ends in.
    entry->isunsigned = counterBasedGauge || (resolvedType ? resolvedType->IsUnsigned : symbol.IsUnsigned);
    entry->is64bit = counterBasedGauge || (resolvedType ? resolvedType->Is64Bit : symbol.Is64Bit);
    if (options_.unitsFromMib) {
        // The values line counts towards the length limit but adds no abbreviations to the names.
        const std::string values = NamedValuesLine(symbol, syntaxChain);
        if (!values.empty())
            entry->description = Truncated(description.empty() ? values : description + "\r\n" + values);
    }

    entry->oid = ChainOid(chain);
    stats.AddOid(symbol.Name, chain.rooted ? entry->oid : chain.missingParent + "." + entry->oid,
                 chain.rooted ? oidResolved : oidPartial);
    // The arcs below the missing parent would name another object.
    if (!chain.rooted) return NoEntry(symbol, UnrootedReason(chain));
    if (const std::string access = AccessNeverReturned(symbol); !access.empty())
        return NoEntry(symbol, access + ": an agent never returns it");

    const tmibentry& row = *chain.members[1];
    std::string group, suffix;
    if (mib_.ResolveSyntax(row) == "@sequence") {
        if (const std::string reason = PlaceColumn(row, *entry, group, suffix); !reason.empty())
            return NoEntry(symbol, reason);
    } else {
        group = row.Name;
        entry->kind = TMIBDataKind::mkDirect;
        entry->oid += ".0";
    }

    ApplyUnitRules(names_, symbol.Name, *entry);
    const std::string groupName = names_.MakeDisplayName(group, false);
    const std::string objectName = names_.MakeDisplayName(symbol.Name, true);
    entry->name = JoinNameKey(agent_, groupName, objectName + suffix);
    entry->max = entry->unittype == TUnitType::sutPercent ? 100 : 0;
    if (options_.unitsFromMib) {
        const std::string why =
            ReadUnitsFromMib(mib_, symbol, syntaxChain, entry->type == TValueMode::vmDiff, *entry);
        if (log_.Level >= 2) log_.Log(symbol.Name + ": " + why);
        // A unit word the entry does not show as its unit stays in its indicator.
        if (entry->units == "#") entry->indicator = objectName;
    }
    const std::string name = entry->name, oid = entry->oid;
    if (existing_.Admit(name, oid)) {
        if (options_.unitsFromMib) indicators_.push_back({entry.get(), symbol.Name, groupName, objectName});
        library_.Add(std::move(entry));
    }
    stats.AddOid(name, oid, oidUseful);
    if (log_.Level >= 2) log_.Log(symbol.Name + ":  " + ChainText(chain));
}

void MibConverter::KeepUnitWordsWhereIndicatorsMeet() {
    // Only an indicator that lost its unit word can read as another's: count the readers of those.
    using GroupAndIndicator = std::pair<std::string_view, std::string_view>;
    const auto key = [](const EntryIndicator& made) {
        return GroupAndIndicator{made.group, made.entry->indicator};
    };
    const auto stripped = [](const EntryIndicator& made) { return made.entry->indicator != made.unstripped; };
    std::map<GroupAndIndicator, int> readers;
    for (const EntryIndicator& made : indicators_)
        if (stripped(made)) readers.emplace(key(made), 0);
    if (readers.empty()) return;
    for (const EntryIndicator& made : indicators_)
        if (const auto found = readers.find(key(made)); found != readers.end()) ++found->second;
    std::vector<const EntryIndicator*> meeting;
    for (const EntryIndicator& made : indicators_)
        if (stripped(made) && readers.at(key(made)) >= 2) meeting.push_back(&made);
    for (const EntryIndicator* made : meeting) {
        if (log_.Level >= 2)
            log_.Log(made->symbol + ": indicator \"" + made->unstripped +
                     "\" keeps its unit word: another entry of \"" + made->group + "\" reads \"" +
                     made->entry->indicator + "\"");
        made->entry->indicator = made->unstripped;
    }
}

const tasntype* MibConverter::RowType(const tmibentry& row) const {
    const int index = mib_.TypeIndex(row.ClauseValue("SYNTAX"), row.Module);
    return index < 0 ? nullptr : &mib_.TypeAt(index);
}

std::string MibConverter::PlaceColumn(const tmibentry& columnRow, Toiddata& entry, std::string& group,
                                      std::string& suffix) {
    group = TableGroup(columnRow.OidParts.empty() ? "" : columnRow.OidParts[0].name);
    entry.kind = TMIBDataKind::mkTable;

    const tmibentry* row = &columnRow;
    bool augmenting = false;
    if (!columnRow.Augments.empty()) {
        if (const tmibentry* base = mib_.FindEntry(columnRow.Augments, columnRow.Module)) {
            row = base;
            augmenting = true;
        } else {
            log_.Log("base table " + columnRow.Augments + "not found");
            Incomplete(incompletecauses::MissingAugmentedRow);
            return "the row " + columnRow.Augments + " that its row " + columnRow.Name +
                   " augments is not found";
        }
    }
    const tasntype* rowType = RowType(*row);
    if (rowType == nullptr)
        return "the type " + row->ClauseValue("SYNTAX") + " of its row " + row->Name + " is not found";

    const std::string indexes = row->ClauseValue("INDEX");
    const std::size_t comma = indexes.find(',');
    const std::string first = indexes.substr(0, comma);
    const std::string rest = comma == std::string::npos ? "" : indexes.substr(comma + 1, 1024);

    std::string notRetained;  // why the first index alone places no entry
    const int own = ItemIndex(*rowType, first);
    const std::string rowOid = augmenting ? AugmentedRowOid(*row) + "." : WithoutLastArc(entry.oid);
    if (own >= 0) {
        group += ": #[" + RowNameOid(*row, *rowType, rowOid, first, rowOid + std::to_string(own + 1)) + "]";
    } else if (const int index = mib_.EntryIndex(first, row->Module); index < 0) {
        // Kept only when the second index is found below.
        notRetained = "the index " + first + " of its row " + row->Name + " is defined nowhere";
    } else {
        const tmibentry& indexObject = mib_.EntryAt(index);
        const int otherRow = mib_.EntryIndex(indexObject.OidParts.empty() ? "" : indexObject.OidParts[0].name,
                                             indexObject.Module);
        if (otherRow < 0)
            return "the row of the index " + first + " of its row " + row->Name + " is not found";
        const std::string& oid = ForeignIndexOid(mib_.EntryAt(otherRow));
        if (!oid.empty()) group += ": #[" + RowNameOid(*row, *rowType, rowOid, first, oid) + "]";
    }

    if (!rest.empty()) {
        const int second = ItemIndex(*rowType, rest);
        if (rest.find(',') != std::string::npos)
            return "its row " + row->Name + " has three or more index columns";
        if (second < 0)
            return "the second index " + rest + " of its row " + row->Name + " is not a column of that row";
        suffix = ": #[" + WithoutLastArc(entry.oid) + std::to_string(second + 1) + "]";
        return "";
    }
    return notRetained;
}

void MibConverter::NoEntry(const tmibentry& symbol, const std::string& reason) {
    ++library_.ImportStats.NoEntryObjects;
    if (log_.Logging()) log_.Log(Where(symbol) + symbol.Name + " makes no entry: " + reason);
}

void MibConverter::UnreadableType(const tmibentry& symbol, const std::string& type) {
    // A typo such as Countr32 would otherwise drop the object without a word.
    const bool defined = mib_.TypeIndex(type, symbol.Module) >= 0;  // then its chain loops back to it
    Incomplete(incompletecauses::UnreadableType(type, defined));
    ++library_.ImportStats.NoEntryObjects;
    library_.ImportStats.AddOid(type, type, oidNotFound);
    if (log_.Logging())
        log_.Log(Where(symbol) + incompletecauses::UnreadableType(type, defined) + " of " + symbol.Name);
}

void MibConverter::Incomplete(const std::string& cause) {
    success_ = false;
    AddIncompleteCause(library_.ImportStats.IncompleteCauses, cause);
}

std::string MibConverter::UnrootedCause(const ParentChain& chain) const {
    if (chain.tooDeep) return incompletecauses::TooDeep();
    if (chain.missingParent.empty()) return incompletecauses::NoParent;
    if (mib_.EntryIndex(chain.missingParent, chain.members.back()->Module) >= 0)
        return incompletecauses::ParentLoop;
    return incompletecauses::UndefinedParent;
}

void MibConverter::NoteContradictingNumbers(const tmibentry& symbol) {
    if (!log_.Logging()) return;
    for (std::size_t i = 0; i < symbol.OidParts.size(); ++i) {
        const OidPart& part = symbol.OidParts[i];
        if (!part.numbered) continue;
        const std::optional<uint32_t> own = OwnArc(mib_, part.name, symbol.Module);
        if (!own || *own == part.number) continue;
        const std::string written = part.name + "(" + std::to_string(part.number) + ")",
                          number = std::to_string(part.number), ownNumber = std::to_string(*own);
        log_.Log(Where(symbol) + symbol.Name + ": " + written + ", but " + part.name + " is " + ownNumber +
                 (i == 0 ? ": the OID follows the name " + part.name + " and ignores " + number
                         : ": the OID uses " + number + " and ignores " + ownNumber + " of the name"));
    }
}

std::string MibConverter::Where(const tmibentry& symbol) const {
    return mib_.ModuleFile(symbol.Module) + ":" + std::to_string(symbol.Line) + ": ";
}

std::string MibConverter::UnrootedReason(const ParentChain& chain) const {
    const tmibentry& top = *chain.members.back();
    if (chain.unassigned)
        return "its place is not known: the arc " + top.UnassignedArc + " of " + top.Name +
               " is not assigned";
    if (chain.tooDeep)
        return "its OID runs deeper than the " + std::to_string(MaxOidArcs) + " arcs an SNMP OID may have";
    if (chain.missingParent.empty()) return "the OID of " + top.Name + " names no parent";
    if (mib_.EntryIndex(chain.missingParent, top.Module) >= 0)
        return "its parents loop back at " + chain.missingParent + " and never reach iso";
    return "its parent " + chain.missingParent + " is defined nowhere, so its OID does not reach iso";
}

std::string MibConverter::RowNameOid(const tmibentry& row, const tasntype& rowType, const std::string& rowOid,
                                     const std::string& firstIndex, const std::string& indexOid) {
    if (!options_.unitsFromMib) return indexOid;
    const auto [known, added] = rowNames_.try_emplace(&row);
    if (added) {
        known->second = FindRowName(mib_, row, rowType, rowOid, firstIndex);
        if (!known->second.oid.empty() && log_.Level >= 2)
            log_.Log(row.Name + ": rows named by " + known->second.column + " (" + known->second.why + ")");
    }
    return known->second.oid.empty() ? indexOid : known->second.oid;
}

const std::string& MibConverter::AugmentedRowOid(const tmibentry& row) {
    const auto [known, added] = augmentedRowOids_.try_emplace(&row);
    if (added) known->second = ChainOid(WalkParents(mib_, row));
    return known->second;
}

const std::string& MibConverter::ForeignIndexOid(const tmibentry& rowOfIndex) {
    // Every column of a table asks for the same rows: each is looked up once, and the report
    // names its missing member types at every use, as when each use looked them up.
    const auto [known, added] = foreignIndexes_.try_emplace(&rowOfIndex);
    if (added) known->second = FindForeignIndex(rowOfIndex);
    for (const std::string& type : known->second.missingTypes)
        library_.ImportStats.AddOid(type, type, oidNotFound);
    return known->second.oid;
}

MibConverter::ForeignIndex MibConverter::FindForeignIndex(const tmibentry& rowOfIndex) const {
    ForeignIndex found;
    const tasntype* rowType = RowType(rowOfIndex);
    if (rowType == nullptr || rowType->Items.empty()) return found;
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < rowType->Items.size(); ++i) {
        const std::string& item = rowType->Items[i];
        const std::string type = item.substr(item.find('=') + 1);
        if (type == "@string") {
            chosen = i;
            break;
        }
        if (type.empty() || type[0] == '@') continue;
        const int typeIndex = mib_.TypeIndex(type, rowType->Module);
        if (typeIndex < 0) {
            found.missingTypes.push_back(type);
        } else if (mib_.TypeAt(typeIndex).BaseType == "@string") {
            chosen = i;
            break;
        }
    }
    const std::string& item = rowType->Items[chosen];
    const int member = mib_.EntryIndex(item.substr(0, item.find('=')), rowType->Module);
    if (member < 0) return found;
    const ParentChain chain = WalkParents(mib_, mib_.EntryAt(member));
    if (chain.rooted) found.oid = ChainOid(chain);
    return found;
}
