#pragma once
// The line of a place in a text, for readers that ask at every definition or tag.

#include <algorithm>
#include <cstddef>
#include <string_view>

// Counts line feeds on from the place asked for last, forwards or backwards, so that asking in
// text order (with a step back now and then) passes over the text about once.
class LineCounter {
  public:
    // The 1-based line of the byte at offset in text (the end of text for an offset past it).
    int LineAt(std::string_view text, std::size_t offset) {
        offset = std::min(offset, text.size());
        const char* bytes = text.data();
        if (offset >= counted_)
            line_ += static_cast<int>(std::count(bytes + counted_, bytes + offset, '\n'));
        else
            line_ -= static_cast<int>(std::count(bytes + offset, bytes + counted_, '\n'));
        counted_ = offset;
        return line_;
    }
    // For another text.
    void Reset() { *this = {}; }

  private:
    std::size_t counted_ = 0;  // the offset asked for last
    int line_ = 1;             // its line
};
