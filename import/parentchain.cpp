#include "import/parentchain.h"

#include <algorithm>
#include <unordered_set>

#include "mib/mibfile.h"

namespace {

bool IsRootName(const std::string& name) {
    return name.size() == 3 && (name[0] | 32) == 'i' && (name[1] | 32) == 's' && (name[2] | 32) == 'o';
}

// Whether a walk meets a member a second time. Chains are short: a look through the members
// costs less than a hash set, which takes over once a chain grows long.
class LoopCheck {
  public:
    explicit LoopCheck(const std::vector<const tmibentry*>& members) : members_(members) {}
    // False when member is in the chain already; call it before member is added.
    bool IsNew(const tmibentry* member) {
        if (members_.size() < LongChain)
            return std::find(members_.begin(), members_.end(), member) == members_.end();
        if (seen_.empty()) seen_.insert(members_.begin(), members_.end());
        return seen_.insert(member).second;
    }

  private:
    static constexpr std::size_t LongChain = 32;
    const std::vector<const tmibentry*>& members_;
    std::unordered_set<const tmibentry*> seen_;
};

}  // namespace

ParentChain WalkParents(const tmibfile& mib, const tmibentry& symbol) {
    ParentChain chain;
    chain.members.reserve(16);
    chain.members.push_back(&symbol);
    LoopCheck loop(chain.members);
    static const std::string noParent;
    std::size_t arcs = 1;  // iso's
    for (const tmibentry* member = &symbol;;) {
        if (!member->UnassignedArc.empty()) {
            chain.unassigned = true;
            chain.missingParent = member->UnassignedArc;
            break;
        }
        const std::string& parent = member->OidParts.empty() ? noParent : member->OidParts[0].name;
        arcs += member->OidParts.empty() ? 0 : member->OidParts.size() - 1;
        if (arcs > MaxOidArcs || chain.members.size() > MaxOidArcs) {
            chain.tooDeep = true;
            chain.missingParent = parent;
            break;
        }
        if (IsRootName(parent)) {
            chain.rooted = true;
            break;
        }
        const int index = mib.EntryIndex(parent, member->Module);
        if (index < 0 || !loop.IsNew(&mib.EntryAt(index))) {
            chain.missingParent = parent;
            break;
        }
        member = &mib.EntryAt(index);
        chain.members.push_back(member);
    }
    return chain;
}

std::optional<uint32_t> OwnArc(const tmibfile& mib, const std::string& name, int module) {
    if (IsRootName(name)) return 1;
    const int index = mib.EntryIndex(name, module);
    if (index < 0 || mib.EntryAt(index).OidParts.size() < 2) return std::nullopt;
    return mib.EntryAt(index).OidParts.back().number;
}

std::string ChainOid(const ParentChain& chain) {
    std::string oid = "1";
    for (auto member = chain.members.rbegin(); member != chain.members.rend(); ++member) {
        for (std::size_t i = 1; i < (*member)->OidParts.size(); ++i)
            oid.append(1, '.').append(std::to_string((*member)->OidParts[i].number));
    }
    return oid;
}

std::string ChainText(const ParentChain& chain) {
    std::string text;
    for (auto member = chain.members.rbegin(); member != chain.members.rend(); ++member) {
        text.append((*member)->Name).append(1, '(');
        for (std::size_t i = 0; i < (*member)->OidParts.size(); ++i)
            text.append(i ? "," : "").append((*member)->OidParts[i].name);
        text.append(") -> ");
    }
    return text;
}
