#include "library/oidfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>

#include "library/xmldocument.h"
#include "library/xmlreader.h"
#include "library/xmlwriter.h"
#include "text/textio.h"

namespace {

constexpr const char* encryptedFileMessage = "Can not open encrypted oid file.";

std::string PlatformMessage(int error) {
    return std::generic_category().message(error);
}

// Closes the descriptor and removes the temporary file unless the save went through.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& target) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            path_ = target + ".~" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".tmp";
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) break;
        }
        if (fd_ < 0) Fail(target, errno);
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void Write(const std::string& target, const std::string& bytes) {
        struct stat existing;
        if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
            ::fchmod(fd_, existing.st_mode & 07777);  // a replaced library keeps its permissions
        for (std::size_t written = 0; written < bytes.size();) {
            const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) Fail(target, errno);
            written += static_cast<std::size_t>(n);
        }
        if (::fsync(fd_) != 0) Fail(target, errno);
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) Fail(target, errno);
    }

    void ReplaceTarget(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) Fail(target, errno);
        committed_ = true;
    }

  private:
    [[noreturn]] static void Fail(const std::string& target, int error) {
        throw eoidfileerror("Cannot create file \"" + target + "\". " + PlatformMessage(error));
    }

    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

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

eoidversionerror::eoidversionerror(const std::string& version, const std::string& fileName)
    : eoidfileerror("Cannot read the library" + (fileName.empty() ? "" : " \"" + fileName + "\"") +
                    ": its version is \"" + version + "\", this program reads version 1."),
      version_(version) {}

std::string toidfile::LoadFromFile(const std::string& fileName) {
    try {
        return LoadFromText(textfile::ReadFile<eoidfileerror>(fileName));
    } catch (const eoidversionerror& error) {
        throw eoidversionerror(error.Version(), fileName);
    }
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
    const std::string& version = root.Child("system").Child("version").Text();
    if (version != "1") throw eoidversionerror(version, "");

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

std::string toidfile::SaveToText() const {
    xml::Element root("oidlist");
    root.AddChild("system").AddChild("version").SetText("1");
    xml::Element& list = root.AddChild("list");
    for (const auto& entry : entries_) WriteEntryXml(*entry, list.AddChild("entry"));
    return xml::WriteDocument(root);
}

// The new content goes to a temporary file beside the target, which then replaces
// the target in one rename: a failed save never leaves a truncated library behind.
void toidfile::SaveToFile(const std::string& fileName) const {
    const std::string bytes = SaveToText();
    TemporaryFile file(fileName);
    file.Write(fileName, bytes);
    file.ReplaceTarget(fileName);
}

void toidfile::Log(const std::string& line) {
    if (OnLog) OnLog(*this, line);
}

void toidfile::ReportModuleSearch(const std::string& module, const std::string& file) {
    if (OnModuleSearch) OnModuleSearch(*this, module, file);
}
