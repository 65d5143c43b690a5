#include "import/stripcomments.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <memory>

namespace {

using Pattern = std::unique_ptr<pcre2_code, decltype(&pcre2_code_free)>;

Pattern Compile(const char* pattern) {
    int error = 0;
    PCRE2_SIZE offset = 0;
    return Pattern(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED, 0, &error,
                                 &offset, nullptr),
                   &pcre2_code_free);
}

// Every non-overlapping match, left to right, replaced with nothing; unchanged if the pattern failed.
std::string RemoveAll(const pcre2_code* pattern, const std::string& text) {
    if (pattern == nullptr) return text;
    std::unique_ptr<pcre2_match_data, decltype(&pcre2_match_data_free)> match(
        pcre2_match_data_create_from_pattern(pattern, nullptr), &pcre2_match_data_free);
    std::string result;
    result.reserve(text.size());
    PCRE2_SIZE start = 0;
    const auto* subject = reinterpret_cast<PCRE2_SPTR>(text.data());
    while (start <= text.size() &&
           pcre2_match(pattern, subject, text.size(), start, 0, match.get(), nullptr) > 0) {
        const PCRE2_SIZE* range = pcre2_get_ovector_pointer(match.get());
        result.append(text, start, range[0] - start);
        start = range[1];
        if (range[1] == range[0]) break;  // cannot happen with these patterns; never loop on it
    }
    if (start < text.size()) result.append(text, start, std::string::npos);
    return result;
}

}  // namespace

std::string StripComments(const std::string& text) {
    static const Pattern lineComment = Compile("--[^\\r]*\\r");
    static const Pattern blockComment = Compile("/\\*[^/^\\*]*\\*/");
    return RemoveAll(blockComment.get(), RemoveAll(lineComment.get(), text));
}
