// The material database: the material property file, the part class file
// and the wall composition file.
#pragma once

#include "materials/MaterialFiles.h"
