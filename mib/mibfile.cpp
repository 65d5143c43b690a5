// Temporary bodies so that the interface links; replaced by the parser itself.
#include "mib/mibfile.h"

int ItemIndex(const tasntype&, const std::string&) {
    return -1;
}
std::string tmibentry::ClauseValue(const std::string&) const {
    return {};
}
void tmibfile::LoadFile(const std::string& fileName) {
    throw emibfileerror("Cannot read " + fileName);
}
void tmibfile::LoadText(const std::string& text, const std::string& fileName) {
    Text = text;
    FileName = fileName;
    Position = 1;
}
void tmibfile::NextItem(tmibitem& item) {
    item.kind = ikEnd;
}
std::string tmibfile::PeekWord(int32_t, int) const {
    return {};
}
void tmibfile::RaiseError(const std::string& message) const {
    throw eparseexception(message, FileName, Position);
}
void tmibfile::ParseModule() {}
tasntype tmibfile::ParseType(const std::string& name) {
    return tasntype{name, {}, {}, {}, false, false};
}
const tmibentry* tmibfile::FindEntry(const std::string&) const {
    return nullptr;
}
int tmibfile::EntryIndex(const std::string&) const {
    return -1;
}
int tmibfile::TypeIndex(const std::string&) const {
    return -1;
}
std::string tmibfile::ResolveSyntax(const tmibentry&) const {
    return {};
}
const tasntype* tmibfile::ResolveSyntaxType(const tmibentry&) const {
    return nullptr;
}
int ErrorLine(const eparseexception&) {
    return 0;
}
int ErrorLine(const std::string&, int32_t) {
    return 0;
}
