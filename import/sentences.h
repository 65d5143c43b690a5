#pragma once
// The sentences of an object's description, and which of them state the object's own value:
// a unit read from a sentence about something else would be believed all the same.

#include <string_view>
#include <vector>

// The sentences of text in order, blanks at either end left out. A sentence ends at ".", "!" or
// "?" followed by blanks and a capital, a digit or the end, and at an empty line; "e.g." and the
// like end none: "The size (e.g. of a disk). In kB." -> "The size (e.g. of a disk).", "In kB.".
std::vector<std::string_view> Sentences(std::string_view text);

// The first sentence of text, as Sentences gives it; "" for a text of blanks.
std::string_view FirstSentence(std::string_view text);

// Whether a sentence after the first speaks of the object's value itself: "This value is in
// seconds.", "It is measured in 0.01 dBm.", "The value ranges from 1 to 25, in seconds.", "The
// timer in units of seconds." do; "The interval is configured in msec by fooInterval." does not.
bool StatesItsValue(std::string_view sentence);
