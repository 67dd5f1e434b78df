// The input dialog and the name question of a new file in one include.
#pragma once

#include "env/FileChanges.h"
#include "utilwin/INPForm.h"
