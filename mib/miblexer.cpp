#include "mib/miblexer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>

#include "mib/reservedwords.h"
#include "mib/sourcetext.h"
#include "text/asciicase.h"
#include "text/textfile.h"

namespace {

// Character classes by table: the lexer asks them for every byte of a module.
enum : unsigned char { whitespace = 1, lineBreak = 2, digit = 4, identifierStart = 8, identifierPart = 16 };

constexpr std::array<unsigned char, 256> MakeClasses() {
    std::array<unsigned char, 256> classes{};
    for (int c = 9; c <= 13; ++c) classes[c] |= whitespace;
    classes[' '] |= whitespace;
    for (int c = 10; c <= 13; ++c) classes[c] |= lineBreak;
    for (int c = '0'; c <= '9'; ++c) classes[c] |= digit | identifierPart;
    for (int c = 'A'; c <= 'Z'; ++c) classes[c] |= identifierStart | identifierPart;
    for (int c = 'a'; c <= 'z'; ++c) classes[c] |= identifierStart | identifierPart;
    classes['_'] |= identifierStart | identifierPart;
    classes['-'] |= identifierPart;
    return classes;
}
constexpr std::array<unsigned char, 256> classes = MakeClasses();

bool hasClass(char c, unsigned char kind) {
    return (classes[static_cast<unsigned char>(c)] & kind) != 0;
}
bool isWhitespace(char c) {
    return hasClass(c, whitespace);
}
bool isLineBreak(char c) {
    return hasClass(c, lineBreak);
}
bool isDigit(char c) {
    return hasClass(c, digit);
}
bool isIdentifierStart(char c) {
    return hasClass(c, identifierStart);
}
bool isIdentifierPart(char c) {
    return hasClass(c, identifierPart);
}
// Asked before every identifier, so a switch rather than a search of the character list.
bool isSymbolCharacter(char c) {
    switch (c) {
        case '!':
        case '(':
        case ')':
        case ',':
        case '-':
        case ';':
        case '<':
        case '=':
        case '>':
        case '@':
        case ']':
        case '^':
        case '{':
        case '|':
        case '}':
            return true;
        default:
            return false;
    }
}

// A decimal integer in the signed 32-bit range, with an optional sign: "3", "-1", "+7".
bool isInt32Text(std::string_view word) {
    size_t i = word.empty() || (word[0] != '-' && word[0] != '+') ? 0 : 1;
    if (i == word.size()) return false;
    for (size_t k = i; k < word.size(); ++k)
        if (!isDigit(word[k])) return false;
    int32_t value;
    const char* first = word.data() + (word[0] == '+' ? 1 : 0);
    auto [end, error] = std::from_chars(first, word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

// A digit string in base 16 or 2 as a 64-bit pattern; false for other characters or overflow.
int digitValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

bool hasOnlyDigits(const std::string& content, int base) {
    return std::all_of(content.begin(), content.end(), [base](char c) { return digitValue(c) < base; });
}

// The digits as a 64-bit pattern; false when they are too many to fit.
bool convertBitString(const std::string& content, int base, int64_t& value) {
    if (content.size() > (base == 16 ? 16u : 64u)) return false;
    uint64_t bits = 0;
    for (char c : content) bits = bits * base + digitValue(c);
    value = static_cast<int64_t>(bits);
    return true;
}

}  // namespace

void MibLexer::LoadFile(const std::string& fileName) {
    LoadText(ReadFileBytes(fileName), fileName);
}

void MibLexer::LoadText(const std::string& text, const std::string& fileName) {
    // Joining with CR LF at most doubles the text, and Position must still fit in 32 bits.
    if (text.size() > textfile::MaxFileSize)
        throw MibFileError("File \"" + fileName + "\" is too large to be a MIB module");
    Text = JoinLinesWithCrLf(text);
    Position = 1;
    FileName = fileName;
    lines_.Reset();
}

int32_t MibLexer::LineAt(int32_t position) {
    return lines_.LineAt(Text, static_cast<std::size_t>(std::max(position, 1) - 1));  // Position is 1-based
}

void MibLexer::RaiseError(const std::string& message) const {
    throw eparseexception(message, FileName, Position);
}

// Only the first PeekLength characters of the n-th word are read: more than the longest word the
// lexer compares it with ("NOTIFICATION-TYPE", a 32-bit number with sign and closing brace), so a
// longer word still differs from all of them. Reading further would make a long run of braces
// or names cost its whole length again at every brace and name in it. Earlier words are passed
// whole: the lexer asks for a second word only after a first one of three characters.
std::string_view MibLexer::PeekWord(int32_t start, int n) const {
    const size_t size = Text.size();
    size_t i = start < 1 ? 0 : static_cast<size_t>(start) - 1;
    std::string_view word;
    for (int k = 0; k < n; ++k) {
        while (i < size && isWhitespace(Text[i])) ++i;
        const size_t begin = std::min(i, size);
        const size_t end = k + 1 == n && size - begin > PeekLength ? begin + PeekLength : size;
        while (i < end && !isWhitespace(Text[i])) ++i;
        word = std::string_view(Text).substr(begin, i - begin);
    }
    return word;
}

void MibLexer::NextItem(tmibitem& item) {
    const int32_t size = static_cast<int32_t>(Text.size());
    auto at = [&](int32_t pos) { return pos >= 1 && pos <= size ? Text[pos - 1] : '\0'; };
    auto startsWith = [&](int32_t pos, const char* s) {
        const size_t len = std::strlen(s);
        return pos >= 1 && static_cast<size_t>(pos - 1) + len <= Text.size() &&
               Text.compare(pos - 1, len, s) == 0;
    };

    // The scans over blanks and names, which most characters of a module go through, count in
    // a local rather than in the member Position.
    const auto skipWhile = [&](int32_t pos, auto inClass) {
        while (pos >= 1 && pos <= size && inClass(Text[pos - 1])) ++pos;
        return pos;
    };

    for (;;) {
        Position = skipWhile(Position, isWhitespace);
        if (Position < 1) Position = 1;
        if (Position > size) {
            item.kind = ikEnd;
            break;
        }
        const char c = at(Position);
        if (c == '.' || c == ':' || c == '[') {
            if (startsWith(Position, "::=")) {
                item.kind = ikAssign;
                Position += 3;
            } else if (startsWith(Position, "...")) {
                item.kind = ikEllipsis;
                Position += 3;
            } else if (startsWith(Position, "..")) {
                item.kind = ikRange;
                Position += 2;
            } else if (startsWith(Position, "[[")) {
                item.kind = ikLeftBrackets;
                Position += 2;
            } else if (c == '[') {
                // A tag: skipped together with everything up to the next IMPLICIT or EXPLICIT.
                const size_t close = Text.find(']', static_cast<size_t>(Position) + 1);
                int32_t pos = close == std::string::npos ? size + 1 : static_cast<int32_t>(close) + 1 + 2;
                while (pos <= size && !startsWith(pos, "IMPLICIT") && !startsWith(pos, "EXPLICIT")) ++pos;
                Position = pos + 8;
                item.kind = ikComment;
                item.text.clear();
                continue;
            } else {
                RaiseError(std::string("Unexpected character \"") + c + "\".");
            }
        } else if (c == ']' && at(Position + 1) == ']') {
            item.kind = ikRightBrackets;
            Position += 2;
        } else if (c == '\'') {
            lexApostropheString(item);
        } else if (c == '"') {
            const size_t close = Text.find('"', static_cast<size_t>(Position));
            const size_t end = close == std::string::npos ? Text.size() : close;
            item.kind = ikString;
            item.text.assign(Text, Position, end - Position);
            Position = static_cast<int32_t>(end) + 2;
        } else if (c == '-' && at(Position + 1) == '-') {
            int32_t end = Position + 2;
            while (end <= size && !isLineBreak(at(end))) ++end;
            item.kind = ikComment;
            item.text.assign(Text, Position - 1, end - Position);
            Position = end + 1;
            continue;
        } else if (c == '/' && at(Position + 1) == '*') {
            const size_t close = Text.find("*/", static_cast<size_t>(Position) + 1);
            const size_t end = close == std::string::npos ? Text.size() : close + 2;
            item.kind = ikComment;
            item.text.assign(Text, Position - 1, end - (Position - 1));
            Position = static_cast<int32_t>(end) + 1;
            continue;
        } else if (isDigit(c)) {
            int32_t end = Position;
            while (end <= size && isDigit(at(end))) ++end;
            const char* first = Text.data() + Position - 1;
            const int32_t digits = end - Position;
            Position = end;
            item.kind = ikNumber;
            item.text.assign(first, digits);  // as written, for messages: the value may be capped
            if (digits >= 19) {
                item.value = std::numeric_limits<int64_t>::max();
            } else if (std::from_chars(first, first + digits, item.value).ec != std::errc()) {
                RaiseError("Unsupported number format (Value=" + std::string(first, digits) + ").");
            }
        } else if (isSymbolCharacter(c)) {
            item.kind = ikSymbol;
            item.symbol = c;
            ++Position;
            if ((c == '{' || c == '}') && PeekWord(Position, 1) == std::string_view(&c, 1)) {
                // "{ {" reads as one brace: move past the second one.
                while (isWhitespace(at(Position))) ++Position;
                ++Position;
            }
        } else if (isIdentifierStart(c)) {
            const int32_t start = Position;
            Position = skipWhile(Position, isIdentifierPart);
            item.text.assign(Text, start - 1, Position - start);
            classifyIdentifier(item, start);
        } else {
            RaiseError(std::string("Unexpected character \"") + c + "\".");
        }
        break;
    }
    DefinitionStart = item.kind == ikSymbol && item.symbol == '{' && item.reserved == rwSEQUENCE;
}

void MibLexer::lexApostropheString(tmibitem& item) {
    const size_t close = Text.find('\'', static_cast<size_t>(Position));
    const size_t end = close == std::string::npos ? Text.size() : close;
    const std::string content(Text, Position, end - Position);
    // The character after the closing apostrophe; an unterminated string ends at the end of text.
    Position = static_cast<int32_t>(end) + (close == std::string::npos ? 1 : 2);
    const char letter = Position <= static_cast<int32_t>(Text.size()) ? Text[Position - 1] : '\0';
    if (letter == 0 || std::strchr("HhBb", letter) == nullptr)
        RaiseError("Unsupported Hex or binary number format.");
    if (content.empty()) {
        item.kind = ikEmptyBitString;
        item.text.clear();
    } else {
        const int base = letter == 'H' || letter == 'h' ? 16 : 2;
        if (!hasOnlyDigits(content, base))
            RaiseError("Unsupported Hex or binary number format (Value=" + content + ").");
        item.text = "'" + content + "'" + letter;
        // Too long for a number (an OCTET STRING's DEFVAL, say): a string kept as written.
        item.kind = convertBitString(content, base, item.value) ? ikNumber : ikString;
    }
    ++Position;
}

void MibLexer::repairFirstLetter(tmibitem& item, int32_t start, bool toUpper) {
    char& first = Text[start - 1];
    first = toUpper ? asciicase::Upper(first) : asciicase::Lower(first);
    item.text[0] = first;
}

void MibLexer::classifyIdentifier(tmibitem& item, int32_t start) {
    item.reserved = LookupReserved(item.text);
    if (item.reserved != rwNone) {
        // The SMI modules define Counter32, Gauge32 and the like as ordinary types.
        const bool integerTypeAssignment = item.reserved == rwINTEGER && PeekWord(Position, 1) == "::=" &&
                                           PeekWord(Position, 2) != "BEGIN" && PeekWord(Position, 2) != "{";
        item.kind = integerTypeAssignment ? ikTypeRef : ikReserved;
        return;
    }
    // The word after the identifier without a brace that closes on it; every identifier of a
    // module comes here, so the word is looked at only where it decides.
    const auto next = [this] {
        std::string_view word = PeekWord(Position, 1);
        if (!word.empty() && word.back() == '}') word.remove_suffix(1);
        return word;
    };
    const char first = item.text[0];
    if (first >= 'a' && first <= 'z') {
        if (DefinitionStart && next() == "::=") {
            repairFirstLetter(item, start, true);
            item.kind = ikTypeRef;
        } else {
            item.kind = ikValueRef;
        }
        return;
    }
    const auto valueMacroFollows = [&next] {
        const std::string_view word = next();
        return word == "OBJECT" || word == "OBJECT-TYPE" || word == "MODULE-IDENTITY" ||
               word == "TRAP-TYPE" || word == "NOTIFICATION-TYPE";
    };
    if (InIndex || (DefinitionStart && (InSequenceMembers || valueMacroFollows()))) {
        repairFirstLetter(item, start, false);
        item.kind = ikValueRef;
    } else if (!DefinitionStart && isInt32Text(next())) {
        item.kind = ikValueRef;  // a parent written with a capital inside an OID value
    } else {
        item.kind = ikTypeRef;
    }
}
