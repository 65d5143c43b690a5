#pragma once
// The MIB lexer: the text of one module, the place reached in it, and the items read from there.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mib/mibrecords.h"
#include "mib/parseexception.h"
#include "text/linecounter.h"

// A fault that a parse in repair mode read past: where, and what was done.
struct ParseRepair {
    int32_t position = 0;  // 1-based, in Text
    int32_t line = 0;
    std::string what;  // "RFC page footer skipped"
};

// Turns the text of one module into items, repairing the case of a name's first letter where
// the parsers' context flags say whether a type or a value name stands there.
class MibLexer {
  public:
    // Reads the file as lines and joins them with CR LF; a UTF-8 byte-order mark at the start is
    // dropped. Throws MibFileError (state unchanged) when the file cannot be read.
    void LoadFile(const std::string& fileName);
    // The same from memory, for tests and fuzzing (also throws MibFileError for a text over 512 MiB).
    void LoadText(const std::string& text, const std::string& fileName);

    void NextItem(tmibitem& item);
    // The n-th run of non-whitespace characters from start, a view into Text valid until Text
    // changes, cut after PeekLength characters (see miblexer.cpp).
    std::string_view PeekWord(int32_t start, int n) const;
    static constexpr size_t PeekLength = 32;
    [[noreturn]] void RaiseError(const std::string& message) const;
    // The 1-based line of a 1-based position in Text.
    int32_t LineAt(int32_t position);

    std::string Text;
    int32_t Position = 0;
    std::string FileName;
    // Context flags, set by the parsers: a definition's name comes next, SEQUENCE members or
    // INDEX names are being read.
    bool DefinitionStart = false;
    bool InSequenceMembers = false;
    bool InIndex = false;
    // Told each repair of a first letter with its place, when set: a name read otherwise than
    // written explains a later "not found".
    std::function<void(const std::string& note)> OnRepair;

    // Where the last item began, and where the last "}" that took a second "}" with it ended
    // (1-based positions), for the parsers' repairs.
    int32_t ItemStart = 0;
    int32_t MergedBraceEnd = 0;

    // Repair mode: where the lexer and the parsers note each fault they read past instead of
    // raising an error; nullptr (the default) parses strictly.
    std::vector<ParseRepair>* Repairs = nullptr;
    bool Repairing() const { return Repairs != nullptr; }
    // Notes a fault at a 1-based position of Text (repair mode only), once: an item read ahead
    // and given back is read again.
    void Repaired(int32_t position, std::string what);

  private:
    void classifyIdentifier(tmibitem& item, int32_t start);
    void lexApostropheString(tmibitem& item);
    void repairFirstLetter(tmibitem& item, int32_t start, bool toUpper);
    void lexString(tmibitem& item);
    // Repair mode: a fault at Position read past, such as a page footer or a "//" comment, or a
    // name or number written so that a strict parse stops at it; false when there is none.
    bool skipFault();
    bool readFaultyWord(tmibitem& item);

    LineCounter lines_;  // of Text, for LineAt
};
