// The exit dialog in one include.
#pragma once

#include "utilwin/CLOSEForm.h"
