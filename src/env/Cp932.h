// Shift-JIS (code page 932) at the file boundary, and widths counted in its bytes.
//
// Text inside the program is UTF-8. Every width, column and length that the
// files and fields count in bytes is counted here in CP932 bytes of the text:
// ASCII and half-width katakana are 1, every other character is 2. Cuts never
// split a character: a cut that would fall inside one stops before it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kondra {

// UTF-8 -> CP932 bytes. False when a character has no CP932 form; then
// `bad` (when given) receives the first such character and `out` is cleared.
bool ToCp932(std::string_view utf8, std::string& out, std::string* bad = nullptr);

// CP932 bytes -> UTF-8. False when the bytes are not CP932 text; then
// `badOffset` (when given) receives the offset of the first bad byte.
bool FromCp932(std::string_view bytes, std::string& out, std::size_t* badOffset = nullptr);

// True when every character of the text has a CP932 form (the first one
// that has none goes to `bad`).
bool IsCp932Text(std::string_view utf8, std::string* bad = nullptr);

// Length in bytes of the UTF-8 sequence that starts with byte `lead`
// (1 for a stray continuation or invalid byte).
int Utf8SeqLen(unsigned char lead);

// Code point of the UTF-8 character at `pos` (U+FFFD for a broken sequence).
char32_t Utf8At(std::string_view text, std::size_t pos);

// CP932 width of one character: 1 for ASCII and half-width katakana, else 2.
int CharWidth(char32_t c);

// CP932 width of the character at byte `pos` of UTF-8 text.
int CharWidthAt(std::string_view text, std::size_t pos);

// CP932 width of a whole text.
int MBWidth(std::string_view text);

// UTF-8 byte offset at which the CP932 width reaches `width` without
// splitting a character (the offset just before the character that would
// cross it). `reached` receives the width actually covered.
std::size_t OffsetOfWidth(std::string_view text, int width, int* reached = nullptr);

// The characters covering CP932 bytes [start, start + width) of the text
// (start 0-based). A character straddling either edge is left out; nothing
// is padded.
std::string SliceMB(std::string_view text, int start, int width);

// The first `width` CP932 bytes without splitting a character, unpadded.
std::string CutMB(std::string_view text, int width);

// printf "%-Ns" / "%Ns" counted in CP932 bytes: pad with blanks to the width;
// a longer text is returned whole.
std::string PadRight(std::string_view text, int width);
std::string PadLeft(std::string_view text, int width);

// Cut to at most `width` bytes, then pad to exactly `width` (never longer).
std::string FitRight(std::string_view text, int width);

}  // namespace kondra
