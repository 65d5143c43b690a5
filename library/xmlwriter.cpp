#include "library/xmlwriter.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "text/blanks.h"

namespace xml {
namespace {

// The declaration names ISO8859-1 whatever the bytes: texts are written unconverted, in the code
// page the libraries are written in, Windows-1251 (see text/windows1251case.h).
constexpr std::string_view declaration = "<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>";
constexpr std::string_view newline = "\r\n";

// The bytes that may start an entity: & < > " and CR (of a CR LF pair).
constexpr std::array<bool, 256> MakeSpecialTable() {
    std::array<bool, 256> table{};
    for (unsigned char c : {'&', '<', '>', '"', '\r'}) table[c] = true;
    return table;
}
constexpr std::array<bool, 256> special = MakeSpecialTable();

// & < > " and each CR LF pair become entities; everything else is copied as it is.
void AppendEscaped(std::string& out, std::string_view text) {
    std::size_t plainStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!special[static_cast<unsigned char>(text[i])]) continue;
        std::string_view entity;
        switch (text[i]) {
            case '&':
                entity = "&amp;";
                break;
            case '<':
                entity = "&lt;";
                break;
            case '>':
                entity = "&gt;";
                break;
            case '"':
                entity = "&quot;";
                break;
            default:
                if (i + 1 < text.size() && text[i + 1] == '\n') entity = "&#x0d;";
                break;
        }
        if (entity.empty()) continue;  // a lone CR
        out.append(text.substr(plainStart, i - plainStart));
        out.append(entity);
        if (text[i] == '\r') ++i;
        plainStart = i + 1;
    }
    out.append(text.substr(plainStart));
}

void AppendStartTag(std::string& out, std::size_t indent, std::string_view name, bool empty) {
    out.append(indent, ' ');
    out += '<';
    out += name;
    out += empty ? "/>" : ">";
    out += newline;
}

void AppendEndTag(std::string& out, std::size_t indent, std::string_view name) {
    out.append(indent, ' ');
    out += "</";
    out += name;
    out += '>';
    out += newline;
}

void AppendTextLine(std::string& out, std::size_t indent, std::string_view text) {
    out.append(indent, ' ');
    AppendEscaped(out, text);
    out += newline;
}

}  // namespace

StreamWriter::StreamWriter(std::string& out) : out_(out) {
    out_ += declaration;
    out_ += newline;
}

void StreamWriter::Open(std::string_view name) {
    AppendStartTag(out_, Indent(), name, false);
    open_.emplace_back(name);
}

void StreamWriter::Leaf(std::string_view name, std::string_view text) {
    if (std::all_of(text.begin(), text.end(), IsSpaceOrControl))
        return AppendStartTag(out_, Indent(), name, true);
    AppendStartTag(out_, Indent(), name, false);
    AppendTextLine(out_, Indent() + 2, text);
    AppendEndTag(out_, Indent(), name);
}

void StreamWriter::Close() {
    const std::string name = std::move(open_.back());
    open_.pop_back();
    AppendEndTag(out_, Indent(), name);
}

}  // namespace xml
