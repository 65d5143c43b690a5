#include "import/unitrefusals.h"

#include <array>

#include "import/sentences.h"
#include "import/unitphrases.h"
#include "mib/mibfile.h"
#include "text/windows1251case.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The first of phrases that text holds, in any letter case; empty when none.
template <std::size_t N>
std::string_view FirstHeld(std::string_view text, const std::array<std::string_view, N>& phrases) {
    for (const std::string_view phrase : phrases)
        if (windows1251case::FindIgnoringCase(text, phrase) != npos) return phrase;
    return {};
}

// "TimeTicks \"time when\"" when the first sentence of a TimeTicks value speaks of a point in time.
std::string TimeTicksPoint(std::string_view first) {
    constexpr std::array<std::string_view, 12> Points = {
        "time stamp",    "timestamp",   "time when",    "time at which", "time of the last",
        "time of last",  "uptime when", "up time when", "when the last", "time of the most recent",
        "time the last", "date when"};
    if (const std::string_view point = FirstHeld(first, Points); !point.empty())
        return "TimeTicks \"" + std::string(point) + "\"";
    // "The value of sysUpTime at which ...", "sysUpTime of the last change"; not "the elapsed
    // system tick time ... not related to the sysUpTime".
    if (windows1251case::FindIgnoringCase(first, "sysuptime") != npos &&
        windows1251case::FindIgnoringCase(first, "elapsed") == npos)
        return "TimeTicks \"sysUpTime\"";
    for (const std::string_view opening : {"the last time", "last time"})
        if (first.size() >= opening.size() &&
            windows1251case::EqualsIgnoringCase(first.substr(0, opening.size()), opening))
            return "TimeTicks \"" + std::string(opening) + "\"";
    return "";
}

// "since ... 1970" when a sentence counts from a date: a year, the epoch or midnight follows
// "since" within a few words.
std::string SinceADate(std::string_view description) {
    constexpr std::size_t Reach = 40;
    for (std::size_t at = windows1251case::FindIgnoringCase(description, "since"); at != npos;
         at = windows1251case::FindIgnoringCase(description, "since", at + 5)) {
        const std::string_view after = description.substr(at + 5, Reach);
        for (const std::string_view word : {"epoch", "midnight"})
            if (HoldsWord(after, word)) return "since ... " + std::string(word);
        for (std::size_t i = 0; i + 4 <= after.size(); ++i) {
            const bool year = (after.substr(i, 2) == "19" || after.substr(i, 2) == "20") &&
                              IsDigit(after[i + 2]) && IsDigit(after[i + 3]) &&
                              (i == 0 || !IsDigit(after[i - 1])) &&
                              (i + 4 == after.size() || !IsDigit(after[i + 4]));
            if (year) return "since ... " + std::string(after.substr(i, 4));
        }
    }
    return "";
}

// "high-order 32 bits" when the description names a half of a wider value.
std::string HalfPhrase(std::string_view description) {
    // Most descriptions hold none of the words a half needs: spare them the lower-cased copy.
    if (windows1251case::FindIgnoringCase(description, "order") == npos &&
        windows1251case::FindIgnoringCase(description, "half") == npos &&
        windows1251case::FindIgnoringCase(description, "bit") == npos)
        return "";
    const std::string lower = windows1251case::Lower(description);
    for (const std::string_view side :
         {"high", "low", "upper", "lower", "most significant", "least significant"}) {
        for (std::size_t at = lower.find(side); at != npos; at = lower.find(side, at + 1)) {
            if (at > 0 && lower[at - 1] >= 'a' && lower[at - 1] <= 'z') continue;
            std::size_t next = at + side.size();
            if (next < lower.size() && (lower[next] == '-' || lower[next] == ' ')) ++next;
            const std::string_view rest = std::string_view(lower).substr(next, 16);
            std::size_t end = 0;
            if (rest.starts_with("order")) {
                end = 5;
            } else if (rest.starts_with("half")) {
                end = 4;
            } else {
                while (end < rest.size() && IsDigit(rest[end])) ++end;
                const std::string_view bits = rest.substr(end);
                if (end == 0 || !(bits.starts_with(" bit") || bits.starts_with("-bit"))) continue;
                end += 4;
            }
            return std::string(description.substr(at, next - at + end));
        }
    }
    return "";
}

// "Hi" of "fooHi", "Low" of "fooLow", or "" for a name that ends in none of the four.
std::string_view HalfSuffix(std::string_view name) {
    for (const std::string_view suffix : {"High", "Low", "Hi", "Lo"}) {
        if (name.size() > suffix.size() && name.ends_with(suffix)) {
            const char before = name[name.size() - suffix.size() - 1];
            if ((before >= 'a' && before <= 'z') || IsDigit(before)) return suffix;
        }
    }
    return {};
}

std::string_view Partner(std::string_view suffix) {
    if (suffix == "High") return "Low";
    if (suffix == "Low") return "High";
    return suffix == "Hi" ? "Lo" : "Hi";
}

}  // namespace

std::string PointInTime(const std::vector<const tasntype*>& chain, bool timeTicks,
                        std::string_view description) {
    for (const tasntype* type : chain)
        if (windows1251case::FindIgnoringCase(type->Name, "timestamp") != npos)
            return "the convention " + type->Name;
    if (timeTicks) {
        if (std::string point = TimeTicksPoint(FirstSentence(description)); !point.empty()) return point;
    }
    if (std::string since = SinceADate(description); !since.empty()) return "DESCRIPTION \"" + since + "\"";
    return "";
}

std::string HalfOfWiderValue(const tmibfile& mib, const tmibentry& symbol,
                             const std::vector<const tasntype*>& chain, bool counter,
                             std::string_view description) {
    if (const std::string phrase = HalfPhrase(description); !phrase.empty())
        return "DESCRIPTION \"" + phrase + "\"";
    for (const tasntype* type : chain)
        if (type->Name.find("64") != std::string::npos && !HalfSuffix(type->Name).empty())
            return "the convention " + type->Name;
    const std::string_view suffix = HalfSuffix(symbol.Name);
    if (suffix.empty() || (!counter && windows1251case::FindIgnoringCase(description, "64") == npos))
        return "";
    const std::string partner =
        symbol.Name.substr(0, symbol.Name.size() - suffix.size()) + std::string(Partner(suffix));
    if (mib.EntryIndex(partner, symbol.Module) < 0) return "";
    return "the pair " + symbol.Name + ", " + partner;
}

std::vector<const tmibentry*> HalvesOf(const tmibfile& mib, const tmibentry& symbol) {
    for (const auto& [low, high] : {std::pair{"Low", "High"}, std::pair{"Lo", "Hi"}}) {
        // A name that is not there costs a search of every module: ask for the high half only
        // after the low one.
        const int lowIndex = mib.EntryIndex(symbol.Name + low, symbol.Module);
        if (lowIndex < 0) continue;
        const int highIndex = mib.EntryIndex(symbol.Name + high, symbol.Module);
        if (highIndex >= 0) return {&mib.EntryAt(lowIndex), &mib.EntryAt(highIndex)};
    }
    return {};
}
