#pragma once
// Small text helpers for paths and file names, shared by the engine and the
// platform implementations.
#include <string>
#include <string_view>

namespace quarrow::run {

// ASCII letters only: the tester's paths are 8-bit text in the system's code
// page, and the file systems that ignore case compare the ASCII letters the
// same way.
std::string AsciiLower(std::string_view text);

bool EndsWith(std::string_view text, std::string_view tail);

// Letter case ignored (ASCII).
bool EndsWithNoCase(std::string_view text, std::string_view tail);

// File-search wildcard match with the letter case ignored: "*" matches any
// run of characters, "?" any one character, and "*.*" matches every name
// (also names without a dot), as the Windows file search does.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// `text` with each control character (bytes 0x00 to 0x1F and 0x7F) written
// as "\xHH" (two upper-case hex digits), so a file name holding a line break
// or an escape sequence can neither split a line of the result files nor act
// on the terminal. Every other byte is kept as it is.
std::string EscapeControlCharacters(std::string_view text);

// The part of `path` after its last "\" or "/" (the whole text when it has
// neither).
std::string_view LastComponent(std::string_view path);

}  // namespace quarrow::run
