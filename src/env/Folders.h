// The folder settings every data file is found through, and the rows of the
// environment file. Filled by start-up; empty before it.
#pragma once

#include <array>
#include <string>

namespace kondra {

extern std::string StartDrive;  // e.g. "C:"
extern std::string RootDir;     // installation folder without drive, "\...\"
extern std::string DataDir;     // StartDrive + RootDir + "DATA\"
extern std::string CalcDir;     // StartDrive + RootDir + "CAL\"
extern std::string DatDir;      // DataDir + "DAT\"
extern std::string ColorDir;    // DataDir + "COLOR\"
extern std::string PictDir;     // DataDir + "PICT\"
extern std::string HelpDir;     // DataDir + "HELP\"

// EnvRow[1..21]; index 0 is unused.
extern std::array<std::string, 22> EnvRow;

}  // namespace kondra
