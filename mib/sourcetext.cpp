#include "mib/sourcetext.h"

#include <algorithm>

#include "mib/mibfile.h"
#include "text/textfile.h"

std::string ReadFileBytes(const std::string& fileName) {
    return textfile::ReadFile<MibFileError>(fileName);
}

std::string JoinLinesWithCrLf(const std::string& raw) {
    const std::string_view text =
        std::string_view(raw).starts_with("\xEF\xBB\xBF") ? std::string_view(raw).substr(3) : raw;
    std::string joined;
    joined.reserve(raw.size() + raw.size() / 16);
    textfile::ForEachLine(text, [&joined](std::string_view line) { joined.append(line).append("\r\n"); });
    return joined;
}

void tmibfile::LoadFile(const std::string& fileName) {
    LoadText(ReadFileBytes(fileName), fileName);
}

void tmibfile::LoadText(const std::string& text, const std::string& fileName) {
    // Joining with CR LF at most doubles the text, and Position must still fit in 32 bits.
    if (text.size() > textfile::MaxFileSize)
        throw MibFileError("File \"" + fileName + "\" is too large to be a MIB module");
    Text = JoinLinesWithCrLf(text);
    Position = 1;
    FileName = fileName;
    lines_.Reset();
}

int32_t tmibfile::lineAt(int32_t position) {
    return lines_.LineAt(Text, static_cast<std::size_t>(std::max(position, 1) - 1));  // Position is 1-based
}

int LineOfPosition(const std::string& text, int32_t position) {
    // Characters 1 to min(position, length) - 1 are looked at.
    const size_t limit = position <= 1 ? 0 : std::min(text.size(), static_cast<size_t>(position));
    int line = 1;
    for (size_t i = 0; i + 1 < limit; ++i)
        if (text[i] == '\n') ++line;
    return line;
}

int LineOfPosition(const eparseexception& error) {
    try {
        return LineOfPosition(JoinLinesWithCrLf(ReadFileBytes(error.FileName)), error.Position);
    } catch (const MibFileError&) {
        return 0;
    }
}

std::string PositionedMessage(const eparseexception& error) {
    return error.FileName + ":" + std::to_string(LineOfPosition(error)) + ": " + error.Message;
}
