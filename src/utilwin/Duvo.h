// The version box in one include.
#pragma once

#include "utilwin/VERForm.h"
