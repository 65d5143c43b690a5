#include "library/xmlreader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "library/xmldocument.h"
#include "text/asciicase.h"
#include "text/blanks.h"
#include "text/linecounter.h"
#include "text/printable.h"

namespace xml {
namespace {

bool StartsWithIgnoreAsciiCase(std::string_view text, std::string_view prefix) {
    return asciicase::EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Deletes every occurrence of pair, scanning once from the left as a replace-all does.
std::string DeletePairs(std::string_view text, std::string_view pair) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(pair, start)) != std::string_view::npos; start = found + 2)
        out.append(text.substr(start, found - start));
    out.append(text.substr(start));
    return out;
}

// Name and value pairs written as name="value"; anything else in the tag is skipped.
void ReadAttributes(std::string_view rest, Element& element) {
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && IsSpaceOrControl(rest[i])) ++i;
        const std::size_t nameStart = i;
        while (i < rest.size() && rest[i] != '=' && !IsSpaceOrControl(rest[i]) && rest[i] != '>' &&
               rest[i] != '/')
            ++i;
        const std::string_view name = rest.substr(nameStart, i - nameStart);
        if (i + 1 < rest.size() && rest[i] == '=' && rest[i + 1] == '"' && !name.empty()) {
            const std::size_t valueEnd = rest.find('"', i + 2);
            if (valueEnd == std::string_view::npos) return;
            element.AddAttribute(std::string(name), Unescape(rest.substr(i + 2, valueEnd - i - 2)));
            i = valueEnd + 1;
        } else if (i == nameStart) {
            ++i;  // a stray '=', '/' or '>'
        }
    }
}

// The tokenizer and tree builder over one text.
class Reader {
  public:
    Reader(std::string_view text, Element& root, const ElementDone& done)
        : text_(text), root_(root), current_(&root), done_(done) {
        const char* nul = static_cast<const char*>(std::memchr(text_.data(), 0, text_.size()));
        if (nul != nullptr) Fail("NUL byte in the file", nul - text_.data());
        FindLongLine();
    }

    void Run() {
        for (;;) {
            while (pos_ < limit_ && IsSpaceOrControl(text_[pos_])) ++pos_;
            if (pos_ >= limit_) {
                if (lineTooLong_) ThrowLineTooLong();
                if (!closed_)
                    FailAtEnd(rootNamed_ ? "inside <" + current_->Name() + ">" : "before the root element");
                return;
            }
            if (closed_) Fail("Junk after document element </" + ShortenedToken(root_.Name()) + ">", pos_);
            if (text_[pos_] == '<')
                ReadMarkup();
            else
                ReadText();
        }
    }

  private:
    // The reader's window ends at the first line too long to hold; reaching that
    // point means the line has to be read, which fails.
    // Jumps from the last line feed of one window of MaxLineLength bytes to the next, so
    // that the check costs a few comparisons per window rather than one search per line.
    void FindLongLine() {
        limit_ = text_.size();
        for (std::size_t lineStart = 0; text_.size() - lineStart >= MaxLineLength;) {
            const std::size_t lastFeed = text_.substr(lineStart, MaxLineLength).rfind('\n');
            if (lastFeed == std::string_view::npos) {
                limit_ = lineStart;
                lineTooLong_ = true;
                return;
            }
            lineStart += lastFeed + 1;
        }
    }

    int LineAt(std::size_t pos) const { return lines_.LineAt(text_, pos); }

    [[noreturn]] void Fail(const std::string& message, std::size_t pos) const {
        throw ReadError(message, LineAt(pos));
    }

    // A file cut short: whatever was read of it must not be taken for the whole library.
    [[noreturn]] void FailAtEnd(const std::string& where) const {
        Fail("End of file " + where, text_.empty() ? 0 : text_.size() - 1);
    }

    [[noreturn]] void ThrowLineTooLong() const {
        const int line = LineAt(limit_);
        throw ReadError("Line too long on line " + std::to_string(line), line);
    }

    // Position of needle at or after from inside the window, or limit_ at the end of the data.
    std::size_t Find(std::string_view needle, std::size_t from) const {
        const std::size_t found = text_.substr(0, limit_).find(needle, from);
        if (found != std::string_view::npos) return found;
        if (lineTooLong_) ThrowLineTooLong();
        return limit_;
    }

    bool CommentStartsAt(std::size_t pos) const {
        return text_.substr(pos, limit_ - pos).starts_with("<!--");
    }

    // Comments in a row, up to the next "<". Text between a comment and the next tag would be
    // dropped, as <oid>1.3<!-- x -->.6.1</oid> would read 1.3: it is refused instead.
    void SkipComments() {
        while (CommentStartsAt(pos_)) {
            const std::size_t start = pos_;
            const std::size_t commentEnd = Find("-->", pos_ + 4);
            if (commentEnd >= limit_) Fail("End of file inside a comment", start);
            pos_ = commentEnd + 3;
            while (pos_ < limit_ && IsSpaceOrControl(text_[pos_])) ++pos_;
            if (pos_ < limit_ && text_[pos_] != '<')
                Fail("Comment inside the text of <" + current_->Name() + ">", start);
        }
    }

    void ReadMarkup() {
        SkipComments();
        if (pos_ >= limit_) return;
        const std::size_t start = pos_;
        const std::size_t close = Find(">", pos_);
        if (close >= limit_) Fail("End of file inside a tag", start);
        pos_ = close + 1;
        const std::string_view view = NormaliseToken(text_.substr(start, pos_ - start), scratch_);

        if (StartsWithIgnoreAsciiCase(view, "<?xml")) return;
        if (view.ends_with("/>")) {
            OpenElement(view, start, /*empty=*/true);
        } else if (view.starts_with("</")) {
            CloseElement(view, start);
        } else {
            OpenElement(view, start, /*empty=*/false);
        }
    }

    void OpenElement(std::string_view tag, std::size_t start, bool empty) {
        std::string_view inner = tag.substr(1);
        if (inner.ends_with('>')) inner.remove_suffix(1);
        std::size_t nameEnd = std::find_if(inner.begin(), inner.end(), IsSpaceOrControl) - inner.begin();
        if (nameEnd == inner.size()) nameEnd = std::min(inner.find('/'), inner.size());
        std::string name(inner.substr(0, nameEnd));

        Element* element;
        if (empty) {
            element = &current_->AddChild(std::move(name));
        } else if (!rootNamed_) {
            root_.SetName(std::move(name));
            rootNamed_ = true;
            element = &root_;
        } else {
            current_ = &current_->AddChild(std::move(name));
            element = current_;
            hasText_.push_back(false);
        }
        element->SetLine(LineAt(start));
        ReadAttributes(inner.substr(nameEnd), *element);
        if (empty) Done(*element);
    }

    void CloseElement(std::string_view tag, std::size_t start) {
        std::string_view name = tag.substr(2);
        if (name.ends_with('>')) name.remove_suffix(1);
        if (Trim(name, IsSpaceOrControl) != current_->Name())
            Fail("XML Parser mismatch: Wanted </" + ShortenedToken(current_->Name()) + ">, got " +
                     ShortenedToken(tag),
                 start);
        Element& closed = *current_;
        current_ = current_->Parent();
        hasText_.pop_back();
        if (current_ == nullptr)
            closed_ = true;
        else
            Done(closed);
    }

    void Done(Element& element) {
        if (done_ && done_(element)) element.Parent()->DropLastChild();
    }

    void ReadText() {
        const std::size_t start = pos_;
        pos_ = Find("<", pos_);
        std::size_t end = pos_;
        while (end > start && IsSpaceOrControl(text_[end - 1])) --end;
        std::string text = Unescape(NormaliseToken(text_.substr(start, end - start), scratch_));
        const bool blank = std::all_of(text.begin(), text.end(), IsSpaceOrControl);
        // Appended in place: a text split by many child elements costs its length, not its
        // length times the number of pieces.
        if (hasText_.back()) {
            current_->AppendText("\r\n");
            current_->AppendText(text);
        } else {
            current_->SetText(std::move(text));
            hasText_.back() = !blank;
        }
    }

    std::string_view text_;
    Element& root_;
    Element* current_;
    const ElementDone& done_;
    std::size_t pos_ = 0;
    std::size_t limit_ = 0;
    bool lineTooLong_ = false;
    bool rootNamed_ = false;
    bool closed_ = false;
    std::vector<bool> hasText_{false};  // per open element, root first: holds non-blank text
    std::string scratch_;               // a normalised token, reused to spare an allocation per tag
    mutable LineCounter lines_;         // of text_, for LineAt
};

}  // namespace

std::string_view NormaliseToken(std::string_view token, std::string& scratch) {
    // Most tokens need no change: no line break and no two blanks in a row.
    std::size_t i = 0;
    for (; i < token.size(); ++i) {
        const char c = token[i];
        if (!IsSpaceOrControl(c)) continue;
        if (c == '\r' || c == '\n' || (i + 1 < token.size() && IsSpaceOrControl(token[i + 1]))) break;
    }
    if (i == token.size()) return token;

    const bool hasLineBreak = token.find_first_of("\r\n") != std::string_view::npos;
    scratch = hasLineBreak ? DeletePairs(DeletePairs(token, "\r\n"), "\n\r") : std::string(token);
    // Every run of two or more blanks becomes one space.
    std::size_t out = 0;
    for (std::size_t i = 0; i < scratch.size();) {
        if (IsSpaceOrControl(scratch[i]) && i + 1 < scratch.size() && IsSpaceOrControl(scratch[i + 1])) {
            while (i < scratch.size() && IsSpaceOrControl(scratch[i])) ++i;
            scratch[out++] = ' ';
        } else {
            scratch[out++] = scratch[i++];
        }
    }
    scratch.resize(out);
    return scratch;
}

// One pass decoding at each "&" gives the same result as replacing the five entities one
// after the other: every entity starts with the only "&" it contains, so occurrences never
// overlap, and no replacement but the last ("&amp;") produces an "&".
std::string Unescape(std::string_view text) {
    static constexpr std::pair<std::string_view, std::string_view> entities[] = {
        {"&#x0d;", "\r\n"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t amp; (amp = text.find('&', start)) != std::string_view::npos;) {
        out.append(text.substr(start, amp - start));
        start = amp + 1;
        const std::string_view rest = text.substr(amp);
        const auto* match =
            std::find_if(std::begin(entities), std::end(entities),
                         [rest](const auto& entity) { return rest.starts_with(entity.first); });
        if (match == std::end(entities)) {
            out += '&';
        } else {
            out.append(match->second);
            start = amp + match->first.size();
        }
    }
    out.append(text.substr(start));
    return out;
}

void ReadDocument(std::string_view text, Element& root, const ElementDone& done) {
    Reader(text, root, done).Run();
}

}  // namespace xml
