#include "library/oidfile.h"

#include <algorithm>
#include <utility>

#include "library/filesave.h"
#include "library/oid.h"
#include "library/xmldocument.h"
#include "library/xmlreader.h"
#include "library/xmlwriter.h"
#include "text/printable.h"
#include "text/textfile.h"
#include "text/windows1251case.h"

namespace {

constexpr const char* encryptedFileMessage = "Can not open encrypted oid file.";

}  // namespace

toidfile::~toidfile() {
    Clear();
}

Toiddata* toidfile::Entries(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return entries_[static_cast<std::size_t>(index)].get();
}

int toidfile::Add(std::unique_ptr<Toiddata> entry) {
    entries_.push_back(std::move(entry));
    return Count() - 1;
}

void toidfile::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    entries_.erase(entries_.begin() + index);
}

int toidfile::DeleteIf(const std::function<bool(const Toiddata&)>& doomed) {
    std::size_t kept = 0;
    for (auto& entry : entries_)
        if (!doomed(*entry)) entries_[kept++] = std::move(entry);  // a doomed entry is freed when overwritten
    const int deleted = Count() - static_cast<int>(kept);
    entries_.resize(kept);
    return deleted;
}

void toidfile::Clear() {
    for (auto& entry : entries_) entry.reset();
    entries_.clear();
}

std::vector<std::unique_ptr<Toiddata>> toidfile::TakeAll() {
    return std::exchange(entries_, {});
}

std::string toidfile::LoadFromFile(const std::string& fileName) {
    try {
        return LoadFromText(textfile::ReadFile<OidFileError>(fileName));
    } catch (const OidVersionError& error) {
        throw OidVersionError(error.Version(), fileName);
    }
}

std::string toidfile::LoadFromText(std::string_view text) {
    if (!text.starts_with("<?xml")) return encryptedFileMessage;

    // Each entry is read as its end tag is met and then dropped from the document, so the
    // document never holds more than one entry; so is every element the load never reads. The
    // entries are built aside and appended together once the whole file is read, so a failure
    // leaves the library as it was.
    xml::Element root;
    const xml::Element* list = nullptr;
    std::vector<std::unique_ptr<Toiddata>> loaded;
    std::vector<LoadNote> notes;
    std::size_t unlistedNotes = 0;
    const std::size_t entryMemory = sizeof(Toiddata) + 4 * sizeof(void*);  // with its block and list slots
    const std::size_t maxEntries = std::max(EntryMemoryFactor * text.size(), MinEntryMemory) / entryMemory;
    const auto isNamed = [](const xml::Element& element, std::string_view name) {
        return windows1251case::EqualsIgnoringCase(element.Name(), name);
    };
    // A library has one <list>, a child of the root: an empty list before the real one, a
    // second list or one deeper in the tree would hide entries, and a save would lose them.
    const auto acceptList = [&](const xml::Element& element) {
        if (element.Parent() != &root)
            throw OidFileError(
                "A <list> that is not a child of the root element: the entries belong "
                "in the one <list> under the root",
                element.Line());
        if (list != nullptr && list != &element)
            throw OidFileError("A second <list> (the first is on line " + std::to_string(list->Line()) +
                                   "): a library holds one list of entries",
                               element.Line());
        list = &element;
    };
    const auto noteOid = [&](const Toiddata& entry, const xml::Element& element) {
        if (entry.oid.empty() || ParseOid(entry.oid)) return;
        if (notes.size() < MaxLoadNotes) {
            const xml::Element* oid = element.FindChild("oid");
            notes.push_back(
                {oid != nullptr ? oid->Line() : element.Line(),
                 "OID \"" + ShortenedToken(entry.oid) + "\" of \"" + ShortenedToken(entry.name) +
                     "\" is no OID of at most 128 dotted decimals within 0..4294967295: kept as it is"});
        } else {
            ++unlistedNotes;
        }
    };
    const auto takeEntry = [&](xml::Element& element) {
        if (isNamed(element, "list")) {
            acceptList(element);
            return false;
        }
        const xml::Element* parent = element.Parent();
        if (parent == &root) return !isNamed(element, "system") || root.FindChild("system") != &element;
        if (parent->Parent() == &root && isNamed(*parent, "system")) return !isNamed(element, "version");
        if (!isNamed(*parent, "list")) {
            // A child of an entry waits for the entry's end unless it is no field or a field met again.
            const xml::Element* entry =
                parent->Parent() != nullptr && isNamed(*parent->Parent(), "list") ? parent : nullptr;
            return entry == nullptr || !IsEntryField(element.Name()) ||
                   entry->FindChild(element.Name()) != &element;
        }
        acceptList(*parent);
        if (loaded.size() == maxEntries)
            throw OidFileError(
                std::to_string(loaded.size() + 1) + " entries in " + std::to_string(text.size()) +
                    " bytes: entries this small would take more than " + std::to_string(EntryMemoryFactor) +
                    " times the size of the library in memory, so it is refused",
                element.Line());
        auto entry = std::make_unique<Toiddata>();
        ReadEntryXml(*entry, element);
        noteOid(*entry, element);
        loaded.push_back(std::move(entry));
        return true;
    };
    try {
        xml::ReadDocument(text, root, takeEntry);
    } catch (const xml::ReadError& error) {
        throw OidFileError(error.what(), error.Line());
    }
    const xml::Element* system = root.FindChild("system");
    const xml::Element* version = system != nullptr ? system->FindChild("version") : nullptr;
    if (version == nullptr || version->Text() != "1")
        throw OidVersionError(version != nullptr ? version->Text() : "", "");
    if (list == nullptr) throw OidFileError("No <list> of entries under the root element", root.Line());

    if (unlistedNotes > 0)
        notes.push_back({0, std::to_string(unlistedNotes) + " more OIDs of the kind, kept as they are"});
    LoadNotes = std::move(notes);
    entries_.reserve(entries_.size() + loaded.size());
    for (auto& entry : loaded) entries_.push_back(std::move(entry));
    return "";
}

// Written straight into the text rather than through a document tree: a large library is
// saved in a fraction of the time and memory, with the same bytes.
std::string toidfile::SaveToText() const {
    std::size_t estimate = 256;
    for (const auto& entry : entries_)
        estimate += 512 + entry->name.size() + entry->oid.size() + entry->description.size();
    std::string out;
    out.reserve(estimate);
    xml::StreamWriter writer(out);
    writer.Open("oidlist");
    writer.Open("system");
    writer.Leaf("version", "1");
    writer.Close();
    if (entries_.empty()) {
        writer.Leaf("list", "");
    } else {
        writer.Open("list");
        for (const auto& entry : entries_) {
            writer.Open("entry");
            WriteEntryXml(*entry, writer);
            writer.Close();
        }
        writer.Close();
    }
    writer.Close();
    return out;
}

void toidfile::SaveToFile(const std::string& fileName) const {
    SaveFileContent(fileName, SaveToText());
}

void toidfile::Log(const std::string& line) {
    if (OnLog) OnLog(*this, line);
}

void toidfile::ReportModuleSearch(const std::string& module, const std::string& file) {
    if (OnModuleSearch) OnModuleSearch(*this, module, file);
}
