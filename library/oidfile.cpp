#include "library/oidfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "library/filesave.h"
#include "library/xmldocument.h"
#include "library/xmlreader.h"
#include "library/xmlwriter.h"

namespace {

constexpr const char* encryptedFileMessage = "Can not open encrypted oid file.";

std::string PlatformMessage(int error) {
    return std::generic_category().message(error);
}

std::string ReadWholeFile(const std::string& fileName) {
    const auto fail = [&fileName](const char* what, int error) {
        return eoidfileerror(std::string(what) + " file \"" + fileName + "\". " + PlatformMessage(error));
    };
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw fail("Cannot open", errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat info;
    if (::fstat(fd, &info) != 0) throw fail("Cannot read", errno);
    if (S_ISDIR(info.st_mode)) throw fail("Cannot open", EISDIR);
    // Read straight into the string; a file that grows meanwhile is read to its end.
    std::string text(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == text.size()) text.resize(text.size() + (1 << 16));
        const ssize_t n = ::read(fd, text.data() + used, text.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw fail("Cannot read", errno);
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    text.resize(used);
    return text;
}

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

void toidfile::Clear() {
    for (auto& entry : entries_) entry.reset();
    entries_.clear();
}

std::string toidfile::LoadFromFile(const std::string& fileName) {
    return LoadFromText(ReadWholeFile(fileName));
}

std::string toidfile::LoadFromText(std::string_view text) {
    if (!text.starts_with("<?xml")) return encryptedFileMessage;

    xml::Element root;
    try {
        xml::ReadDocument(text, root);
    } catch (const xml::ReadError& error) {
        throw eoidfileerror(error.what(), error.Line());
    }
    root.SetName("oidlist");
    if (root.Child("system").Child("version").Text() != "1") return "";

    // Entries are built aside and appended together, so a failure leaves the library as it was.
    xml::Element& list = root.Child("list");
    std::vector<std::unique_ptr<Toiddata>> loaded;
    loaded.reserve(list.Children().size());
    for (const auto& element : list.Children()) {
        auto entry = std::make_unique<Toiddata>();
        ReadEntryXml(*entry, *element);
        loaded.push_back(std::move(entry));
    }
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
