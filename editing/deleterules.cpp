#include "editing/deleterules.h"

#include "library/oidfile.h"

std::string NodeKey(const NameParts& path, NodeLevel level) {
    switch (level) {
        case NodeLevel::Agent:
            return path.agent + NameKeySeparator;
        case NodeLevel::Group:
            return path.agent + NameKeySeparator + path.group + NameKeySeparator;
        case NodeLevel::Entry:
            break;
    }
    return JoinNameKey(path.agent, path.group, path.name);
}

bool KeyMatchesNode(const std::string& entryKey, const std::string& nodeKey, NodeLevel level) {
    return level == NodeLevel::Entry ? entryKey == nodeKey : entryKey.starts_with(nodeKey);
}

int DeleteNodeEntries(toidfile& library, const std::string& nodeKey, NodeLevel level,
                      const std::unordered_set<const Toiddata*>& shown) {
    return library.DeleteIf([&](const Toiddata& entry) {
        return KeyMatchesNode(entry.name, nodeKey, level) || shown.contains(&entry);
    });
}
