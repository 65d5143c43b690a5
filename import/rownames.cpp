#include "import/rownames.h"

#include <array>
#include <string_view>

#include "import/parentchain.h"
#include "mib/mibfile.h"

namespace {

constexpr int MaxTypeHops = 16;
constexpr const char* IfDescrOid = "1.3.6.1.2.1.2.2.1.2";  // MIB-II's, where no module defines it
constexpr std::array<std::string_view, 4> NameColumnEnds = {"Descr", "Name", "Alias", "Label"};

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() > end.size() && text.substr(text.size() - end.size()) == end;
}

// "@string", or a type name that ends in it: DisplayString, SnmpAdminString.
bool IsStringType(const tmibfile& mib, std::string type, int scope) {
    for (int hop = 0; hop < MaxTypeHops && !type.empty() && type[0] != '@'; ++hop) {
        const int index = mib.TypeIndex(type, scope);
        if (index < 0) return false;
        type = mib.TypeAt(index).BaseType;
        scope = mib.TypeAt(index).Module;
    }
    return type == "@string";
}

bool IsNumeric(const std::string& syntax) {
    return syntax == "@integer" || syntax == "@gauge" || syntax == "@counter";
}

// The OID of an object of the module, "" when it is not loaded or not rooted.
std::string ObjectOid(const tmibfile& mib, const char* module, const char* name) {
    const int scope = mib.ModuleScope(module);
    if (scope < 0) return "";
    const tmibentry* object = mib.FindEntry(name, scope);
    if (object == nullptr || object->Module != scope) return "";
    const ParentChain chain = WalkParents(mib, *object);
    return chain.rooted ? ChainOid(chain) : "";
}

// The row named through the convention of its index object.
RowName NameByConvention(const tmibfile& mib, const tmibentry& index) {
    for (const tasntype* type : mib.SyntaxChain(index)) {
        const std::string why = "index of " + type->Name;
        if (type->Name == "InterfaceIndex" || type->Name == "InterfaceIndexOrZero") {
            if (std::string oid = ObjectOid(mib, "IF-MIB", "ifName"); !oid.empty())
                return {oid, "ifName", why};
            std::string oid = ObjectOid(mib, "IF-MIB", "ifDescr");
            if (oid.empty()) oid = ObjectOid(mib, "RFC1213-MIB", "ifDescr");
            return {oid.empty() ? IfDescrOid : oid, "ifDescr", why};
        }
        if (type->Name == "PhysicalIndex") {
            if (std::string oid = ObjectOid(mib, "ENTITY-MIB", "entPhysicalName"); !oid.empty())
                return {oid, "entPhysicalName", why};
        }
    }
    return {};
}

}  // namespace

RowName FindRowName(const tmibfile& mib, const tmibentry& row, const tasntype& rowType,
                    const std::string& rowOid, const std::string& firstIndex) {
    const int indexAt = mib.EntryIndex(firstIndex, row.Module);
    if (indexAt < 0) return {};
    const tmibentry& index = mib.EntryAt(indexAt);
    if (RowName named = NameByConvention(mib, index); !named.oid.empty()) return named;
    if (!IsNumeric(mib.ResolveSyntax(index))) return {};
    for (std::size_t i = 0; i < rowType.Items.size(); ++i) {
        const std::string& item = rowType.Items[i];
        const std::size_t equals = item.find('=');
        const std::string member = item.substr(0, equals);
        for (std::string_view end : NameColumnEnds) {
            if (EndsWith(member, end) && IsStringType(mib, item.substr(equals + 1), rowType.Module))
                return {rowOid + std::to_string(i + 1), member, std::string(end) + " column"};
        }
    }
    return {};
}
