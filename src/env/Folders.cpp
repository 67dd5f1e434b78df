#include "env/Folders.h"

namespace kondra {

std::string StartDrive;
std::string RootDir;
std::string DataDir;
std::string CalcDir;
std::string DatDir;
std::string ColorDir;
std::string PictDir;
std::string HelpDir;
std::array<std::string, 22> EnvRow;

}  // namespace kondra
