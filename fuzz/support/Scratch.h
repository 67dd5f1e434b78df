// A private folder for targets whose reader takes a file name rather than
// bytes: the input is written there first. The folder lives as long as the
// process and is removed at exit.
#pragma once

#include <string>
#include <string_view>

namespace kondra::fuzz {

// The folder in program form ("C:\tmp\kondra-fuzz-ab12\"), made on first use.
const std::string& ScratchFolder();

// Writes `bytes` to ScratchFolder() + name (plain write, no rename: fuzzing
// runs millions of times) and returns the file's program path.
std::string ScratchFile(std::string_view name, std::string_view bytes);

// Splits an input into parts at each "\n--8<--\n", so one input can carry
// several files; missing parts are empty.
std::string_view Part(std::string_view input, int index);

}  // namespace kondra::fuzz
