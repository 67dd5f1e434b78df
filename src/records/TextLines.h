// The bytes of a Shift-JIS text file and its lines as UTF-8 text; shared by
// the record files and the table files.
//
// Reading accepts CR LF, lone CR and lone LF as line ends; a final line end
// makes no empty line, and a last byte 0x1A (the old end-of-file mark) is
// ignored. Bytes that are not CP932 text, and control bytes other than TAB,
// CR and LF (a binary file), are refused with the line where they stand.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kondra {

// False with a reason ("3行目に…") when the bytes are not a text file; the
// lines are then empty.
bool DecodeTextLines(std::string_view bytes, std::vector<std::string>& lines, std::string* reason = nullptr);

// Every line as CP932 bytes followed by CR LF. False when a character has no
// CP932 form: `badLine` (0-based) and `bad` tell which; `bytes` is then empty.
bool EncodeTextLines(const std::vector<std::string>& lines, std::string& bytes, std::size_t* badLine = nullptr,
                     std::string* bad = nullptr);

// Control characters (which would end or break a line on disk) replaced by blanks.
std::string BlankControls(std::string_view text);

}  // namespace kondra
