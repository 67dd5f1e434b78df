// The memo viewer and the operating guide in one include.
#pragma once

#include "utilwin/MEMForm.h"
