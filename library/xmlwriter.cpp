#include "library/xmlwriter.h"

#include <array>
#include <string_view>
#include <vector>

#include "library/xmldocument.h"

namespace xml {
namespace {

constexpr std::string_view declaration = "<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>";
constexpr std::string_view newline = "\r\n";

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

bool IsBlankText(std::string_view text) {
    for (char c : text)
        if (!IsBlank(c)) return false;
    return true;
}

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

void AppendStartTag(std::string& out, std::size_t indent, std::string_view name,
                    const std::vector<Attribute>& attributes, bool empty) {
    out.append(indent, ' ');
    out += '<';
    out += name;
    for (const Attribute& attribute : attributes) {
        out += ' ';
        out += attribute.name;
        out += "=\"";
        AppendEscaped(out, attribute.value);
        out += '"';
    }
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

// Roughly the rendered size, so that the output grows once instead of by doubling.
std::size_t EstimateSize(const Element& root) {
    std::size_t size = 0;
    std::vector<std::pair<const Element*, std::size_t>> pending{{&root, 2}};
    while (!pending.empty()) {
        const auto [element, indent] = pending.back();
        pending.pop_back();
        size += 2 * (indent + element->Name().size()) + element->Text().size() + indent + 16;
        for (const auto& child : element->Children()) pending.emplace_back(child, indent + 2);
    }
    return size;
}

}  // namespace

std::string WriteDocument(const Element& root) {
    std::string out;
    out.reserve(declaration.size() + EstimateSize(root));
    out += declaration;
    out += newline;

    // An explicit stack instead of recursion: the depth of a tree is not bounded.
    struct Frame {
        const Element* element;
        std::size_t nextChild;
    };
    std::vector<Frame> open;
    const Element* next = &root;
    while (next != nullptr || !open.empty()) {
        if (next != nullptr) {
            const std::size_t indent = 2 * (open.size() + 1);
            const bool hasText = !IsBlankText(next->Text());
            if (!hasText && next->Children().empty()) {
                AppendStartTag(out, indent, next->Name(), next->Attributes(), true);
            } else {
                AppendStartTag(out, indent, next->Name(), next->Attributes(), false);
                if (hasText) AppendTextLine(out, indent + 2, next->Text());
                open.push_back({next, 0});
            }
            next = nullptr;
            continue;
        }
        Frame& top = open.back();
        if (top.nextChild < top.element->Children().size()) {
            next = top.element->Children()[top.nextChild++];
        } else {
            const Element* done = top.element;
            open.pop_back();
            AppendEndTag(out, 2 * (open.size() + 1), done->Name());
        }
    }
    return out;
}

StreamWriter::StreamWriter(std::string& out) : out_(out) {
    out_ += declaration;
    out_ += newline;
}

void StreamWriter::Open(std::string_view name) {
    AppendStartTag(out_, Indent(), name, {}, false);
    open_.emplace_back(name);
}

void StreamWriter::Leaf(std::string_view name, std::string_view text) {
    if (IsBlankText(text)) return AppendStartTag(out_, Indent(), name, {}, true);
    AppendStartTag(out_, Indent(), name, {}, false);
    AppendTextLine(out_, Indent() + 2, text);
    AppendEndTag(out_, Indent(), name);
}

void StreamWriter::Close() {
    const std::string name = std::move(open_.back());
    open_.pop_back();
    AppendEndTag(out_, Indent(), name);
}

}  // namespace xml
