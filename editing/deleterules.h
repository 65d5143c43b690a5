#pragma once
// Which entries "Delete OID" removes for a tree node.
//
// A node's key is spelled from the name parts of its path: an entry node gives agent|group|name,
// a group node agent|group| and an agent node agent| (the closing bar keeps Net from taking
// Network). An entry node removes the entries whose key equals its key, the others those whose
// key begins with it. Keys with fewer than two "|" show under repeated captions (a shows as
// a / a / a) and so never match; the entries bound to the entry nodes at and under the node are
// therefore removed as well, so that what the tree shows under a node always goes.

#include <string>
#include <unordered_set>

#include "library/namekey.h"

class Toiddata;
class toidfile;

enum class NodeLevel { Agent, Group, Entry };

// The node's key from the name parts of its path: {"a","x","1"} -> "a|x|1" (Entry), "a|x|" (Group), "a|"
// (Agent).
std::string NodeKey(const NameParts& path, NodeLevel level);

// Case-sensitive: "a|x|1" matches the entry node "a|x|1" but not "a|x|10"; the group "a|Net|" takes
// "a|Net|in" but not "a|Network|in".
bool KeyMatchesNode(const std::string& entryKey, const std::string& nodeKey, NodeLevel level);

// Removes from the library, keeping the order of the rest, every entry matching the node's key and
// every entry in shown. Returns how many went.
int DeleteNodeEntries(toidfile& library, const std::string& nodeKey, NodeLevel level,
                      const std::unordered_set<const Toiddata*>& shown);
