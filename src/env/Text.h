// Two-byte-safe text operations and number reading.
//
// Texts are UTF-8; positions and lengths are CP932 bytes (see Cp932.h). A cut
// that would separate the two bytes of a character moves one byte earlier,
// and where a fixed length is promised the result is padded with one blank.
// With UTF-8 inside, the second byte of a two-byte character can never be
// mistaken for "\" or "|": character tests work on whole characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace kondra {

// First n bytes (n - 1 bytes and a blank when byte n starts a two-byte character).
std::string LeftMB(std::string_view text, int n);
// Last n bytes; starts one byte earlier (n + 1 bytes) when the first would be
// the second byte of a character.
std::string RightMB(std::string_view text, int n);
// The first n bytes (never splitting a character, not padded) and the rest.
std::pair<std::string, std::string> SplitAt(std::string_view text, int n);

bool Contains(std::string_view sub, std::string_view text);
std::string ReplaceFirst(std::string_view sub, std::string_view repl, std::string_view text);
// Replaces every occurrence, scanning on after each replacement (so a
// replacement that contains the searched text still ends).
std::string ReplaceAll(std::string_view sub, std::string_view repl, std::string_view text);

// Character-set tests; a set written "a..b" stands for the range a to b.
bool AllCharsIn(std::string_view text, std::string_view set);
bool AnyCharIn(std::string_view text, std::string_view set);
int CountCharsIn(std::string_view text, std::string_view set);

// True when any character takes two bytes.
bool HasTwoByte(std::string_view text);
std::string UpperAscii(std::string_view text);
// Blanks (and control characters) removed on both sides / one side.
std::string TrimBoth(std::string_view text);
std::string TrimRight(std::string_view text);
std::string TrimLeft(std::string_view text);
// The text after the first ":" when that ":" stands at byte 3 or later.
std::string StripTag(std::string_view text);
// Bytes from 1-based position pos on replaced by sub; unchanged when pos <= 0
// or beyond the end.
std::string OverwriteAt(int pos, std::string_view sub, std::string_view text);

// Number reading. Trailing blanks are removed and every "," deleted first.
// Integers: leading blanks, optional sign, digits up to the first other
// character; "$", "X" or "0x" in front reads hexadecimal digits. Floats:
// optional sign, point and exponent. Unreadable text reads as 0.
int64_t TextToInt(std::string_view text);
double TextToFloat(std::string_view text);
// TextToFloat held as a single, limited to the single range.
float TextToSingle(std::string_view text);
// Whether the whole text is one number by these rules, nothing left over
// ("1,234.5", " 1.0E1", "-7" are; "12a", "1.5.", "" and "-" are not). A
// field that passes reads as exactly the number it shows.
bool IsNumberText(std::string_view text, bool integer);
// Number of bytes after the last "." of the trimmed text (0 without ".").
int DecimalsOf(std::string_view text);

// A signed value narrowed to 32 bits, limited to the int32 range.
int32_t ClampToInt32(int64_t value);

}  // namespace kondra
