#include "mib/typeparser.h"

#include "mib/itempredicates.h"
#include "mib/miblexer.h"
#include "text/asciicase.h"

namespace {

constexpr int maxTypeNesting = 64;

// Holds the nesting depth of ParseType for as long as one call runs.
class NestingGuard {
  public:
    explicit NestingGuard(int& depth) : depth_(depth) { ++depth_; }
    ~NestingGuard() { --depth_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

  private:
    int& depth_;
};

// Watches the items of one constraint group while it is skipped and keeps what the import can
// use: one range "(0..100)" or the named numbers "{ up(1), down(2) }"; any other shape keeps nothing.
class ConstraintWatcher {
  public:
    explicit ConstraintWatcher(char open) : braces_(open == '{') {}

    // An item inside the group; depth 1 is the group's own level.
    void See(const tmibitem& item, int depth) {
        if (failed_) return;
        if (depth != 1) return fail();
        const bool expectsNumber = braces_ ? step_ == 2 : step_ == 0 || step_ == 2;
        if (isSymbol(item, '-') && expectsNumber && !negative_) {
            negative_ = true;
            return;
        }
        braces_ ? seeNamedNumber(item) : seeRange(item);
    }

    // At the closing symbol: what was kept goes into detail.
    void Finish(SyntaxDetail& detail) {
        if (failed_) return;
        if (!braces_ && step_ == 3) {
            detail.hasRange = true;
            detail.rangeLow = low_;
            detail.rangeHigh = high_;
        } else if (braces_ && step_ == 4 && !names_.empty()) {
            detail.namedNumbers = std::move(names_);
        }
    }

  private:
    void fail() {
        failed_ = true;
        names_.clear();
    }
    int64_t signedValue(const tmibitem& item) {
        const int64_t value = negative_ ? -item.value : item.value;
        negative_ = false;
        return value;
    }
    // low .. high
    void seeRange(const tmibitem& item) {
        if (step_ == 0 && item.kind == ikNumber) {
            low_ = signedValue(item);
        } else if (step_ == 1 && item.kind == ikRange) {
        } else if (step_ == 2 && item.kind == ikNumber) {
            high_ = signedValue(item);
        } else {
            return fail();
        }
        ++step_;
    }
    // name ( number ) , name ( number ) ...: step 0 name, 1 "(", 2 number, 3 ")", 4 "," or the end
    void seeNamedNumber(const tmibitem& item) {
        if (step_ == 0 && (item.kind == ikValueRef || item.kind == ikTypeRef)) {
            names_.emplace_back(item.text, 0);
        } else if (step_ == 1 && isSymbol(item, '(')) {
        } else if (step_ == 2 && item.kind == ikNumber) {
            names_.back().second = signedValue(item);
        } else if (step_ == 3 && isSymbol(item, ')')) {
        } else if (step_ == 4 && isSymbol(item, ',')) {
            step_ = 0;
            return;
        } else {
            return fail();
        }
        ++step_;
    }

    bool braces_;
    bool failed_ = false;
    bool negative_ = false;
    int step_ = 0;
    int64_t low_ = 0, high_ = 0;
    std::vector<std::pair<std::string, int64_t>> names_;
};

// The SMI integer types by their lower-cased spelling: INTEGER and Integer32 are signed.
void setIntegerKind(tasntype& type, const std::string& spelling) {
    const std::string word = asciicase::Lower(spelling);
    type.BaseType = "@integer";
    type.Detail.integerType = spelling;
    if (word == "unsigned32" || word == "timeticks") {
        type.IsUnsigned = true;
    } else if (word == "gauge" || word == "gauge32") {
        type.BaseType = "@gauge";
        type.IsUnsigned = true;
    } else if (word == "counter" || word == "counter32" || word == "counter64") {
        type.BaseType = "@counter";
        type.IsUnsigned = true;
        type.Is64Bit = word == "counter64";
    }
}

}  // namespace

tasntype TypeParser::Parse(const std::string& name) {
    NestingGuard nesting(depth_);
    if (depth_ > maxTypeNesting) lexer_.RaiseError("Type nesting too deep.");
    tasntype type;
    type.Name = name;
    tmibitem item;
    lexer_.NextItem(item);
    parseForm(type, item);
    skipConstraintTail(type.Detail);
    return type;
}

void TypeParser::parseForm(tasntype& type, tmibitem& item) {
    auto expect = [&](TReservedWord word, const char* message) {
        lexer_.NextItem(item);
        if (!isReserved(item, word)) lexer_.RaiseError(message);
    };
    if (item.kind == ikTypeRef) {
        if (item.text == "MODULE-COMPLIANCE" || item.text == "AGENT-CAPABILITIES") {
            do lexer_.NextItem(item);
            while (item.kind != ikEnd && item.kind != ikAssign);
            type.BaseType = "@ignore";
        } else if (item.text == "TEXTUAL-CONVENTION") {
            parseTextualConvention(type);
        } else {
            type.BaseType = item.text;
        }
        return;
    }
    if (item.kind != ikReserved) return;
    switch (item.reserved) {
        case rwBOOLEAN:
            type.BaseType = "@bool";
            break;
        case rwINTEGER:
            setIntegerKind(type, item.text);
            break;
        case rwENUMERATED:
            lexer_.RaiseError("Enumerated Type not supported.");
        case rwREAL:
            lexer_.RaiseError("Real Type not supported yet.");
        case rwBIT:
            expect(rwSTRING, "\"STRING\" expected.");
            type.BaseType = "@bstring";
            break;
        case rwOCTET:
            expect(rwSTRING, "\"STRING\" expected.");
            type.BaseType = "@string";
            break;
        case rwNULL:
            type.BaseType = "@null";
            break;
        case rwSEQUENCE:
            type.BaseType = "@sequence";
            parseSequence(type, item);
            break;
        case rwSET:
            lexer_.RaiseError("Set Type not supported.");
        case rwCHOICE:
            type.BaseType = "@choice";
            parseChoice(type);
            break;
        case rwOBJECT:
            expect(rwIDENTIFIER, "\"IDENTIFIER\" expected.");
            type.BaseType = "@objectid";
            break;
        case rwRELATIVE_OID:
            lexer_.RaiseError("Relative OID not supported.");
        case rwEMBEDDED:
            expect(rwPDV, "\"PDV\" expected.");
            lexer_.RaiseError("Embedded PDV not supported.");
        case rwEXTERNAL:
            lexer_.RaiseError("External not supported.");
        default:
            break;  // IA5String, ObjectDescriptor and the like carry no base type
    }
}

// SEQUENCE OF Row, or SEQUENCE { member Type, ... }; item still names SEQUENCE, so the lexer
// treats the first member name as a definition start.
void TypeParser::parseSequence(tasntype& type, tmibitem& item) {
    lexer_.NextItem(item);
    if (isReserved(item, rwOF)) {
        type.ElementType = ParseNested().BaseType;
        return;
    }
    if (!isSymbol(item, '{')) return;
    FlagScope members(lexer_.InSequenceMembers);
    do {
        lexer_.NextItem(item);
        if (item.kind != ikValueRef) lexer_.RaiseError("Identifier expected.");
        const std::string member = item.text;
        const tasntype memberType = ParseNested();
        type.Items.push_back(member + "=" + memberType.BaseType +
                             (memberType.ElementType.empty() ? "" : "|" + memberType.ElementType));
        lexer_.NextItem(item);
        if (!isSymbol(item, '}') && !isSymbol(item, ',')) lexer_.RaiseError("\"}\" or \",\" expected.");
        lexer_.DefinitionStart = true;
    } while (!isSymbol(item, '}'));
}

void TypeParser::parseChoice(tasntype& type) {
    tmibitem item;
    lexer_.NextItem(item);
    if (!isSymbol(item, '{')) lexer_.RaiseError("\"{\" expected.");
    do {
        lexer_.NextItem(item);
        if (item.kind != ikValueRef && item.kind != ikReserved) lexer_.RaiseError("Identifier expected.");
        const std::string alternative = item.text;
        type.Items.push_back(alternative + "=" + ParseNested().BaseType);
        lexer_.NextItem(item);
        if (!isSymbol(item, '}') && !isSymbol(item, ',')) lexer_.RaiseError("\"}\" or \",\" expected.");
    } while (!isSymbol(item, '}'));
}

// TEXTUAL-CONVENTION clauses ... SYNTAX Type: the convention takes the base type of its SYNTAX,
// so DisplayString is "@string", a Counter64 convention "@counter" and 64-bit.
void TypeParser::parseTextualConvention(tasntype& type) {
    type.BaseType = "@integer";
    tmibitem item;
    lexer_.NextItem(item);
    while (item.kind != ikEnd && item.text != "SYNTAX") {
        const bool hint = item.text == "DISPLAY-HINT";
        lexer_.NextItem(item);  // the clause's value, a single item
        if (hint && item.kind == ikString) type.DisplayHint = item.text;
        lexer_.NextItem(item);  // the next keyword
    }
    if (item.kind == ikEnd) return;
    tasntype syntax = ParseNested();
    type.BaseType = syntax.BaseType;
    type.ElementType = syntax.ElementType;
    type.IsUnsigned = syntax.IsUnsigned;
    type.Is64Bit = syntax.Is64Bit;
    type.Detail = std::move(syntax.Detail);
}

// One parenthesized or braced group after a type: a range, a SIZE, named numbers or BITS names.
// A single range and named numbers are kept in detail.
void TypeParser::skipConstraintTail(SyntaxDetail& detail) {
    const int32_t saved = lexer_.Position;
    tmibitem item;
    lexer_.NextItem(item);
    char open = 0, close = 0;
    if (isSymbol(item, '('))
        open = '(', close = ')';
    else if (isSymbol(item, '{'))
        open = '{', close = '}';
    else {
        lexer_.Position = saved;
        return;
    }
    ConstraintWatcher watcher(open);
    for (int depth = 1; depth > 0;) {
        lexer_.NextItem(item);
        if (item.kind == ikEnd) return;
        if (isSymbol(item, open)) ++depth;
        if (isSymbol(item, close)) --depth;
        if (depth > 0) watcher.See(item, depth);
    }
    watcher.Finish(detail);
}
