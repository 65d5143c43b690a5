#pragma once
// Finding and replacing a text inside the fields of entries, with or without letter case.
//
// A field holds the bytes it was read with. Without case, a field that is valid UTF-8 compares
// letters by Unicode simple case folding, one letter for one letter ("größe" finds "GRÖßE", not
// "GRÖSSE"); any other field compares bytes through the Windows-1251 letter pairs ("\xEF" finds
// "\xCF"). A search text whose UTF-8 form is not valid UTF-8 is looked for byte by byte.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class Toiddata;

// A text typed by the user in both byte forms a field may hold: UTF-8 for a UTF-8 field,
// and single-byte for any other field (how such a field shows, see app/qtstrings.h).
struct SearchText {
    std::string utf8;
    std::string singleByte;
};

// Which fields of an entry a search looks at, and whether letter case counts.
struct SearchFields {
    bool name = true;  // the whole agent|group|name key
    bool description = false;
    bool indicator = false;
    bool units = false;
    bool oid = false;
    bool caseSensitive = false;
};

// Where a search text occurs in a field: first byte and length in the field's bytes (a folded
// letter may take another number of bytes than the letter searched for).
struct TextMatch {
    std::size_t position = std::string::npos;
    std::size_t length = 0;
    bool found() const { return position != std::string::npos; }
};

// Finds one search text in many fields; the text is folded once. An empty text occurs nowhere.
class TextMatcher {
  public:
    TextMatcher(SearchText text, bool caseSensitive);

    // The first occurrence starting at or after byte from: FindIn("xCPUx", "cpu") -> {1, 3}.
    TextMatch FindIn(std::string_view field, std::size_t from = 0) const;
    bool Contains(std::string_view field) const { return FindIn(field).found(); }

  private:
    SearchText text_;
    bool caseSensitive_;
    std::u32string foldedUtf8_;  // the UTF-8 form folded letter by letter
    bool foldedIsAscii_ = false;
    std::string foldedAscii_;  // the folded UTF-8 form when it is all ASCII
    mutable std::u32string fieldLetters_;
    mutable std::vector<std::size_t> fieldOffsets_;
};

// The entry contains the text in one of the chosen fields, looked at in the order name key,
// description, indicator, units, oid.
bool EntryMatches(const Toiddata& entry, const SearchFields& fields, const TextMatcher& matcher);

// Every occurrence left to right, never overlapping, replaced by replacement in the field's own
// byte form: "aaa" with aa -> X gives "Xa". Returns whether anything changed.
bool ReplaceAllIn(std::string& field, const TextMatcher& matcher, const SearchText& replacement);

// The replace-all pass over the chosen fields of entries, in the order given (the tree's order).
void ReplaceAllInEntries(const std::vector<Toiddata*>& entries, const SearchFields& fields,
                         const TextMatcher& matcher, const SearchText& replacement);
