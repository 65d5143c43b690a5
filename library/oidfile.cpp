#include "library/oidfile.h"

#include <utility>

#include "library/filesave.h"
#include "library/xmldocument.h"
#include "library/xmlreader.h"
#include "library/xmlwriter.h"
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
    // document never holds more than one entry. The entries are built aside and appended
    // together once the whole file is read, so a failure leaves the library as it was.
    xml::Element root;
    const xml::Element* list = nullptr;
    std::vector<std::unique_ptr<Toiddata>> loaded;
    const auto isList = [](const xml::Element& element) {
        return windows1251case::EqualsIgnoringCase(element.Name(), "list");
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
    const auto takeEntry = [&](xml::Element& element) {
        if (isList(element)) {
            acceptList(element);
            return false;
        }
        const xml::Element* parent = element.Parent();
        if (parent == nullptr || !isList(*parent)) return false;
        acceptList(*parent);
        auto entry = std::make_unique<Toiddata>();
        ReadEntryXml(*entry, element);
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
