#include "mib/sourcetext.h"

#include <algorithm>

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
