#include "import/stripcomments.h"

#include <string_view>

namespace {

// One past the end of the comment that starts at start, or npos when it has none:
// "--" up to and including the next carriage return.
std::size_t LineCommentEnd(std::string_view text, std::size_t start) {
    const std::size_t carriageReturn = text.find('\r', start + 2);
    return carriageReturn == std::string_view::npos ? carriageReturn : carriageReturn + 1;
}

// "/*" up to the first "/", "^" or "*" after it, which must begin "*/".
std::size_t BlockCommentEnd(std::string_view text, std::size_t start) {
    const std::size_t stop = text.find_first_of("/^*", start + 2);
    if (stop == std::string_view::npos || text.substr(stop, 2) != "*/") return std::string_view::npos;
    return stop + 2;
}

// Every comment that begins with opener, found left to right after the one before it,
// removed; a start without an end (see the functions above) is passed over.
template <typename CommentEnd>
std::string RemoveAll(std::string_view text, std::string_view opener, CommentEnd commentEnd) {
    std::string result;
    result.reserve(text.size());
    std::size_t kept = 0;  // the text before kept is done
    for (std::size_t start = text.find(opener); start != std::string_view::npos;
         start = text.find(opener, start)) {
        const std::size_t end = commentEnd(text, start);
        if (end == std::string_view::npos) {
            ++start;
            continue;
        }
        result.append(text.substr(kept, start - kept));
        kept = start = end;
    }
    result.append(text.substr(kept));
    return result;
}

}  // namespace

std::string StripComments(const std::string& text) {
    return RemoveAll(RemoveAll(text, "--", LineCommentEnd), "/*", BlockCommentEnd);
}
