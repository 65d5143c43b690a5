#include "import/existingentries.h"

#include "library/oidfile.h"

namespace {

std::string KeyOf(const std::string& name, const std::string& oid) {
    return name + '\n' + oid;
}

}  // namespace

void ExistingEntries::Collect(const toidfile& library, const std::string& agent) {
    const std::string prefix = agent + "|";
    for (int i = 0; i < library.Count(); ++i) {
        const Toiddata& entry = *library.Entries(i);
        if (entry.name.starts_with(prefix)) keys_.insert(KeyOf(entry.name, entry.oid));
    }
}

bool ExistingEntries::Admit(const std::string& name, const std::string& oid) {
    if (keys_.insert(KeyOf(name, oid)).second) return true;
    ++skipped_;
    return false;
}
