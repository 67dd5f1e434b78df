// The condensation calculation: the engine and its state, the calculation
// file with its records and input steps, the results texts and the diagrams.
#pragma once

#include "calc/CalcFile.h"
#include "calc/CalcInput.h"
#include "calc/CalcState.h"
#include "calc/Diagram.h"
#include "calc/Engine.h"
#include "calc/LayerRecord.h"
#include "calc/Results.h"
