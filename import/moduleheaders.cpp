#include "import/moduleheaders.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "import/stripcomments.h"
#include "library/filesave.h"
#include "mib/sourcetext.h"
#include "platform/paths.h"
#include "text/asciicase.h"
#include "text/blanks.h"
#include "text/paths.h"
#include "text/textfile.h"

namespace fs = std::filesystem;

namespace {

// Version 2 keys its files by canonical path; an index of version 1 is rebuilt.
constexpr std::string_view indexSignature = "oidwright module headers 2 ";

// Reads the decimal number at position and the one blank or line feed after it.
bool ReadNumber(std::string_view text, std::size_t& position, std::uint64_t& value, char after) {
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data() + position, end, value);
    if (error != std::errc() || next == end || *next != after) return false;
    position = static_cast<std::size_t>(next - text.data()) + 1;
    return true;
}

}  // namespace

// Looks at the text in place: the header is near its start, and a scanned file can be large.
std::string ScannedModuleName(const std::string& text) {
    constexpr std::string_view keyword = "DEFINITIONS";
    const std::string_view all = text;
    const auto found = std::search(all.begin(), all.end(), keyword.begin(), keyword.end(),
                                   [](char c, char k) { return asciicase::Upper(c) == k; });
    if (found == all.end()) return "";
    const std::size_t at = static_cast<std::size_t>(found - all.begin());
    // One character after the keyword is passed over, then blanks up to "::=".
    const std::string_view tail =
        Trim(all.substr(std::min(at + keyword.size() + 1, all.size())), IsSpaceOrControl);
    if (!tail.starts_with("::=")) return "";
    const std::string_view head = Trim(all.substr(0, at), IsSpaceOrControl);
    const std::size_t delimiter = head.find_last_of(" \n\r\b");
    const std::string_view name = delimiter == std::string_view::npos ? head : head.substr(delimiter + 1);
    return asciicase::Upper(std::string(name));
}

std::string CanonicalFolder(const std::string& folder) {
    std::error_code error;
    fs::path path = fs::absolute(platform::PathOf(folder.empty() ? "." : folder), error);
    // A folder that cannot be resolved (too deep, no permission) keeps its plain absolute form.
    if (fs::path resolved = fs::weakly_canonical(path, error); !error) path = std::move(resolved);
    std::string text = platform::Utf8Of(path.lexically_normal());
    while (text.size() > 1 && (text.back() == '/' || text.back() == '\\')) text.pop_back();
    return text == "/" ? text : text + "/";
}

std::string ModuleIndexFile(const std::string& cacheFolder, const std::string& workingFolder) {
    const std::string folder = CanonicalFolder(workingFolder);
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const unsigned char c : folder) hash = (hash ^ c) * 1099511628211ull;
    char name[40];
    std::snprintf(name, sizeof name, "modules-%016llx.index", static_cast<unsigned long long>(hash));
    return platform::Utf8Of(platform::PathOf(cacheFolder) / name);
}

void ModuleHeaders::UseIndex(const std::string& indexFile) {
    indexFile_ = indexFile;
    indexLoaded_ = false;
}

void ModuleHeaders::LoadIndexOnFirstUse() {
    if (indexLoaded_ || indexFile_.empty()) return;
    indexLoaded_ = true;
    LoadIndex(indexFile_);
}

const std::string& ModuleHeaders::Canonical(const std::string& folder) {
    const auto [known, added] = canonical_.try_emplace(folder);
    if (added) known->second = CanonicalFolder(folder);
    return known->second;
}

const std::vector<std::string>& ModuleHeaders::FilesOf(const std::string& folder) {
    const std::string& key = Canonical(folder);
    const auto [listing, added] = folders_.try_emplace(key);
    if (!added) return listing->second;
    std::vector<std::string>& names = listing->second;
    std::error_code error;
    // The entry's type comes with the listing; only links and unknown types cost a stat.
    for (fs::directory_iterator it(platform::PathOf(key), error), end; !error && it != end;
         it.increment(error)) {
        std::string name = platform::Utf8Of(it->path().filename());
        std::error_code typeError;
        if (!name.empty() && name[0] != '.' && it->is_regular_file(typeError))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

ModuleHeaders::FolderScan& ModuleHeaders::ScanOf(const std::string& folder, const std::string& wildcard) {
    return scans_[{Canonical(folder), wildcard}];
}

const std::string* ModuleHeaders::Known(const std::string& folder, const std::string& name) {
    LoadIndexOnFirstUse();
    const std::string path = Canonical(folder) + name;
    const auto known = headers_.find(path);
    if (known == headers_.end()) return nullptr;
    if (!known->second.confirmed) {
        Stamp stamp;
        if (!platform::StampOf(path, stamp) || !(stamp == known->second.stamp)) return nullptr;
        known->second.confirmed = true;
    }
    return &known->second.moduleName;
}

const std::string& ModuleHeaders::Read(const std::string& folder, const std::string& name) {
    LoadIndexOnFirstUse();
    const std::string fileName =
        JoinPath(folder, name);  // as spelt, for the message of a file that cannot be read
    Stamp stamp;
    // Taken before reading: a file changed meanwhile is read again next time.
    platform::StampOf(fileName, stamp);
    // Read as the parser reads a module: lines rejoined with CR LF, a byte-order mark dropped.
    std::string head, message;
    if (!textfile::TryReadFileHead(fileName, HeadBytes, head, message)) throw MibFileError(message);
    const std::string text = JoinLinesWithCrLf(head);
    // A write within the same tick of the file system's clock would leave the times as they are:
    // a stamp that young serves this run only (its change time can never match again).
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    if (std::chrono::nanoseconds(stamp.changed) + TimestampTick > now) stamp.changed = 0;
    ++filesRead_;
    changed_ = true;
    Header& header = headers_[Canonical(folder) + name];
    header = {stamp, ScannedModuleName(StripComments(text)), true};
    return header.moduleName;
}

bool ModuleHeaders::Vanished(const std::string& fileName) const {
    const std::size_t separator = fileName.find_last_of("/\\");
    const auto listing = folders_.find(fileName.substr(0, separator + 1));
    if (listing == folders_.end()) return false;
    return !std::binary_search(listing->second.begin(), listing->second.end(),
                               fileName.substr(separator + 1));
}

void ModuleHeaders::SaveIndex() {
    if (indexLoaded_) SaveIndex(indexFile_);
}

// "oidwright module headers 2 COUNT\n", then per file
// "SIZE MODIFIED CHANGED INODE NAMELENGTH PATHLENGTH\n" NAME PATH "\n".
void ModuleHeaders::SaveIndex(const std::string& indexFile) {
    // Entries are not stat'ed here: a changed file is noticed by the scan that passes it.
    for (auto it = headers_.begin(); it != headers_.end();) {
        if (Vanished(it->first)) {
            it = headers_.erase(it);
            changed_ = true;
        } else {
            ++it;
        }
    }
    if (!changed_) return;
    std::string text(indexSignature);
    text += std::to_string(headers_.size()) + "\n";
    for (const auto& [path, header] : headers_) {
        const Stamp& s = header.stamp;
        for (const std::uint64_t number :
             {s.size, s.modified, s.changed, s.identity, std::uint64_t(header.moduleName.size())})
            text += std::to_string(number) + " ";
        text += std::to_string(path.size()) + "\n" + header.moduleName + path + "\n";
    }
    try {
        fs::create_directories(platform::PathOf(indexFile).parent_path());
        // The index is the program's own file: a link planted at its name is replaced, never
        // followed to write index text over whatever it points at.
        SaveFileContent(indexFile, text, NewFileSync::now, LinkAtName::replaced);
        changed_ = false;
    } catch (const std::exception&) {
        // An index that cannot be written is rebuilt by a later import.
    }
}

void ModuleHeaders::LoadIndex(const std::string& indexFile) {
    std::string text;
    try {
        text = ReadFileBytes(indexFile);
    } catch (const std::exception&) {
        return;
    }
    if (!ParseIndex(text)) changed_ = true;  // rewrite a damaged index at the next save
}

bool ModuleHeaders::ParseIndex(const std::string& text) {
    if (!text.starts_with(indexSignature)) return false;
    std::size_t position = indexSignature.size();
    std::uint64_t count = 0;
    if (!ReadNumber(text, position, count, '\n')) return false;
    std::unordered_map<std::string, Header> loaded;
    for (std::uint64_t i = 0; i < count; ++i) {
        Header header;
        Stamp& s = header.stamp;
        std::uint64_t nameLength = 0, pathLength = 0;
        if (!ReadNumber(text, position, s.size, ' ') || !ReadNumber(text, position, s.modified, ' ') ||
            !ReadNumber(text, position, s.changed, ' ') || !ReadNumber(text, position, s.identity, ' ') ||
            !ReadNumber(text, position, nameLength, ' ') || !ReadNumber(text, position, pathLength, '\n'))
            return false;
        const std::size_t left = text.size() - position;
        if (nameLength > left || pathLength > left || nameLength + pathLength + 1 > left ||
            text[position + nameLength + pathLength] != '\n')
            return false;
        header.moduleName = text.substr(position, nameLength);
        loaded[text.substr(position + nameLength, pathLength)] = std::move(header);
        position += nameLength + pathLength + 1;
    }
    if (position != text.size()) return false;
    for (auto& [path, header] : loaded) headers_.try_emplace(path, std::move(header));
    return true;
}
