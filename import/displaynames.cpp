#include "import/displaynames.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

#include "mib/sourcetext.h"
#include "text/textfile.h"
#include "text/windows1251case.h"

namespace {

// By table: every character of every description is asked.
constexpr std::array<bool, 256> MakeWordDelimiters() {
    std::array<bool, 256> delimiters{};
    for (int c = 0; c <= 32; ++c) delimiters[c] = true;
    for (unsigned char c : std::string_view("!\"()*+,-./:;<=>?[\\]^{|}")) delimiters[c] = true;
    return delimiters;
}
constexpr std::array<bool, 256> WordDelimiters = MakeWordDelimiters();

bool IsWordDelimiter(unsigned char c) {
    return WordDelimiters[c];
}

bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// The blanks the abbreviation rule puts around a word at either end or beside another
// abbreviation: " CPU  MIB load " -> "CPU MIB load".
void CollapseBlanks(std::string& text) {
    std::size_t kept = 0;
    for (const char c : text) {
        if (c == ' ' && (kept == 0 || text[kept - 1] == ' ')) continue;
        text[kept++] = c;
    }
    if (kept > 0 && text[kept - 1] == ' ') --kept;
    text.resize(kept);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the word that starts at start ends: at a blank, before a capital that follows a
// lower-case letter or a digit, or before the last capital of a run that a lower-case letter
// follows ("HCIn" -> "HC", "In"). A run of two capitals keeps the lower case after it
// ("NUcast"), and so does a plural or a version ("PDUs", "IPv4").
std::size_t CamelWordEnd(const std::string& text, std::size_t start) {
    std::size_t at = start + 1;
    if (IsUpper(text[start])) {
        while (at < text.size() && IsUpper(text[at])) ++at;
        const std::size_t run = at - start;
        if (run > 1 && at < text.size() && IsLower(text[at])) {
            const bool plural = text[at] == 's' && (at + 1 == text.size() || !IsLower(text[at + 1]));
            const bool version = text[at] == 'v' && at + 1 < text.size() && IsDigit(text[at + 1]);
            if (plural) return at + 1;
            if (!version && run > 2) return at - 1;
        }
    }
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == ' ') break;
        if (IsUpper(c) && (IsLower(text[at - 1]) || IsDigit(text[at - 1]))) break;
    }
    return at;
}

}  // namespace

std::vector<Replacement> LoadReplaceList(const std::string& fileName) {
    std::vector<Replacement> list;
    if (!textfile::IsRegularFile(fileName)) return list;
    textfile::ForEachLine(ReadFileBytes(fileName), [&list](std::string_view line) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) list.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    });
    return list;
}

void DisplayNames::CollectAbbreviations(const std::string& description) {
    Abbreviations.clear();
    std::size_t i = 0;
    while (i < description.size()) {
        while (i < description.size() && IsWordDelimiter(description[i])) ++i;
        const std::size_t start = i;
        int capitals = 0;
        for (; i < description.size() && !IsWordDelimiter(description[i]); ++i)
            capitals += IsUpper(description[i]);
        if (capitals > 1) AddAbbreviation(description.substr(start, i - start));
    }
}

void DisplayNames::AddAbbreviation(const std::string& word) {
    const auto place =
        std::lower_bound(Abbreviations.begin(), Abbreviations.end(), word, windows1251case::LessIgnoringCase);
    if (place != Abbreviations.end() && windows1251case::Lower(*place) == windows1251case::Lower(word))
        return;
    Abbreviations.insert(place, word);
}

std::string DisplayNames::MakeDisplayName(std::string text, bool splitAbbreviations) const {
    if (KeepCapitalRuns) return SplitKeepingCapitalRuns(text);
    if (splitAbbreviations) IsolateAbbreviations(text);
    // Camel split from the right: "ifInOctets" -> "if In Octets"; capital runs stay joined.
    for (std::size_t a = text.size() >= 3 ? text.size() - 2 : 0; a-- > 0;) {
        if (IsLower(text[a]) && IsUpper(text[a + 1]) && IsLower(text[a + 2])) text.insert(a + 1, 1, ' ');
    }
    // A lone lower-case first letter joins the next word: "x Sent" -> "xSent".
    if (text.size() >= 5 && text[1] == ' ' && IsLower(text[0])) text.erase(1, 1);
    ApplyReplacements(text);
    CollapseBlanks(text);
    return windows1251case::Lower(text);
}

std::string DisplayNames::SplitKeepingCapitalRuns(const std::string& text) const {
    const std::string lowered = windows1251case::Lower(text);  // as long as text
    std::string joined;
    for (std::size_t start = 0; start < text.size();) {
        if (text[start] == ' ') {
            ++start;
            continue;
        }
        const std::size_t end = CamelWordEnd(text, start);
        const bool capitalRun = std::count_if(text.begin() + static_cast<std::ptrdiff_t>(start),
                                              text.begin() + static_cast<std::ptrdiff_t>(end), IsUpper) >= 2;
        // A lone lower-case first letter joins the next word: "x Sent" -> "xsent".
        const bool afterLoneLetter = joined.size() == 1 && IsLower(joined[0]);
        if (!joined.empty() && !afterLoneLetter) joined += ' ';
        joined.append(capitalRun ? text : lowered, start, end - start);
        start = end;
    }
    ApplyReplacements(joined);
    CollapseBlanks(joined);
    return joined;
}

// Puts blanks around each occurrence of a collected word; the search start only moves forward,
// so an abbreviation found early hides those that stand before it.
void DisplayNames::IsolateAbbreviations(std::string& text) const {
    std::size_t start = 0;
    for (const std::string& word : Abbreviations) {
        for (;;) {
            std::size_t found = start <= text.size() ? text.find(word, start) : std::string::npos;
            std::size_t length = word.size();
            if (found == std::string::npos && word.back() == 's') {
                length = word.size() - 1;
                found = start <= text.size() ? text.find(word.substr(0, length), start) : std::string::npos;
            }
            if (found == std::string::npos) break;
            text.insert(found + length, 1, ' ');
            text.insert(found, 1, ' ');
            start = found + word.size() + 1;
        }
    }
}

void DisplayNames::ApplyReplacements(std::string& text) const {
    // Each line uses the value of the first line with its name.
    std::unordered_map<std::string, const std::string*> firstValue;
    for (const auto& [name, value] : ReplaceList) firstValue.emplace(windows1251case::Lower(name), &value);
    for (const auto& [name, ignored] : ReplaceList) {
        const std::string& value = *firstValue.at(windows1251case::Lower(name));
        const std::size_t found = windows1251case::FindIgnoringCase(" " + text, " " + name + " ");
        if (found != std::string::npos) text.replace(found, name.size(), value);
    }
}
