// The runtime environment in one include: start-up and the environment
// file, folders, unit systems, messages, paths and file access, text and
// number rules, CP932 and the edit state.
#pragma once

#include "env/Cp932.h"
#include "env/EditState.h"
#include "env/Environment.h"
#include "env/FileChanges.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "env/Units.h"
