#include "editing/textsearch.h"

#include <unicode/uchar.h>

#include <algorithm>

#include "library/oiddata.h"
#include "text/asciicase.h"
#include "text/utf8.h"
#include "text/windows1251case.h"

namespace {

char32_t FoldLetter(char32_t letter) {
    if (letter < 0x80) return letter >= 'A' && letter <= 'Z' ? letter + 32 : letter;
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(letter), U_FOLD_CASE_DEFAULT));
}

// The folded letters of valid UTF-8 text, and where each starts (one offset more: the end).
void FoldUtf8(std::string_view text, std::u32string& letters, std::vector<std::size_t>* offsets) {
    letters.clear();
    if (offsets) offsets->clear();
    for (std::size_t i = 0; i < text.size();) {
        char32_t letter = 0;
        const std::size_t length = DecodeUtf8(text, i, letter);
        if (offsets) offsets->push_back(i);
        letters.push_back(FoldLetter(letter));
        i += length;
    }
    if (offsets) offsets->push_back(text.size());
}

bool SingleByteEqualIgnoringCase(char a, char b) {
    return a == b || windows1251case::FoldCase(a) == windows1251case::FoldCase(b);
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

TextMatch SearchBytes(std::string_view field, std::size_t from, std::string_view needle,
                      bool (*equal)(char, char)) {
    const auto at = std::search(field.begin() + static_cast<std::ptrdiff_t>(from), field.end(),
                                needle.begin(), needle.end(), equal);
    if (at == field.end()) return {};
    return {static_cast<std::size_t>(at - field.begin()), needle.size()};
}

}  // namespace

TextMatcher::TextMatcher(SearchText text, bool caseSensitive)
    : text_(std::move(text)), caseSensitive_(caseSensitive) {
    if (!caseSensitive_) {
        if (IsValidUtf8(text_.utf8)) FoldUtf8(text_.utf8, foldedUtf8_, nullptr);
        foldedIsAscii_ =
            std::all_of(foldedUtf8_.begin(), foldedUtf8_.end(), [](char32_t c) { return c < 0x80; });
        if (foldedIsAscii_) foldedAscii_.assign(foldedUtf8_.begin(), foldedUtf8_.end());
    }
}

TextMatch TextMatcher::FindIn(std::string_view field, std::size_t from) const {
    if (from > field.size()) return {};
    if (!caseSensitive_ && !foldedUtf8_.empty() && IsAscii(field)) {
        // Most fields are plain ASCII: their letters fold to ASCII letters only.
        if (!foldedIsAscii_) return {};
        return SearchBytes(field, from, foldedAscii_,
                           [](char a, char folded) { return asciicase::Lower(a) == folded; });
    }
    const bool utf8Field = IsValidUtf8(field);
    const std::string& needle = utf8Field ? text_.utf8 : text_.singleByte;
    if (needle.empty()) return {};  // an empty text occurs nowhere
    if (caseSensitive_ || (utf8Field && foldedUtf8_.empty())) {
        const std::size_t at = field.find(needle, from);
        return at == std::string_view::npos ? TextMatch{} : TextMatch{at, needle.size()};
    }
    if (!utf8Field) {
        const auto start = field.begin() + static_cast<std::ptrdiff_t>(from);
        const auto at =
            std::search(start, field.end(), needle.begin(), needle.end(), SingleByteEqualIgnoringCase);
        if (at == field.end()) return {};
        return {static_cast<std::size_t>(at - field.begin()), needle.size()};
    }
    FoldUtf8(field, fieldLetters_, &fieldOffsets_);
    // from is the start of a letter: every match ends on one, and scans resume behind a match.
    const auto first = std::lower_bound(fieldOffsets_.begin(), fieldOffsets_.end() - 1, from);
    const auto start = fieldLetters_.begin() + (first - fieldOffsets_.begin());
    const auto at = std::search(start, fieldLetters_.end(), foldedUtf8_.begin(), foldedUtf8_.end());
    if (at == fieldLetters_.end()) return {};
    const auto letter = static_cast<std::size_t>(at - fieldLetters_.begin());
    const std::size_t begin = fieldOffsets_[letter];
    return {begin, fieldOffsets_[letter + foldedUtf8_.size()] - begin};
}

namespace {

// The fields a search looks at, in its fixed order.
template <typename Entry, typename Visit>
void ForChosenFields(Entry& entry, const SearchFields& fields, Visit&& visit) {
    if (fields.name && visit(entry.name)) return;
    if (fields.description && visit(entry.description)) return;
    if (fields.indicator && visit(entry.indicator)) return;
    if (fields.units && visit(entry.units)) return;
    if (fields.oid) visit(entry.oid);
}

}  // namespace

bool EntryMatches(const Toiddata& entry, const SearchFields& fields, const TextMatcher& matcher) {
    bool found = false;
    ForChosenFields(entry, fields, [&](const std::string& field) { return found = matcher.Contains(field); });
    return found;
}

bool ReplaceAllIn(std::string& field, const TextMatcher& matcher, const SearchText& replacement) {
    TextMatch match = matcher.FindIn(field);
    if (!match.found()) return false;
    const std::string& inserted = IsValidUtf8(field) ? replacement.utf8 : replacement.singleByte;
    std::string result;
    std::size_t done = 0;
    while (match.found()) {
        result.append(field, done, match.position - done);
        result += inserted;
        done = match.position + match.length;
        match = matcher.FindIn(field, done);
    }
    result.append(field, done);
    field = std::move(result);
    return true;
}

void ReplaceAllInEntries(const std::vector<Toiddata*>& entries, const SearchFields& fields,
                         const TextMatcher& matcher, const SearchText& replacement) {
    for (Toiddata* entry : entries)
        ForChosenFields(*entry, fields, [&](std::string& field) {
            ReplaceAllIn(field, matcher, replacement);
            return false;  // every chosen field, not only the first that holds the text
        });
}
