#pragma once
// Removal of comments from a module file before its header is read.

#include <string>

// Removes "--" comments up to and including their carriage return, then slash-star
// comments whose body holds no "/", "^" or "*". Text of lines joined with CR LF.
std::string StripComments(const std::string& text);
