#pragma once
// The MIB lexer: the text of one module, the place reached in it, and the items read from there.

#include <cstdint>
#include <string>
#include <string_view>

#include "mib/mibrecords.h"
#include "mib/parseexception.h"
#include "text/linecounter.h"

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

  private:
    void classifyIdentifier(tmibitem& item, int32_t start);
    void lexApostropheString(tmibitem& item);
    void repairFirstLetter(tmibitem& item, int32_t start, bool toUpper);

    LineCounter lines_;  // of Text, for LineAt
};
