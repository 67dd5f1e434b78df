// The three pictures of a calculation as enhanced metafiles: the report's
// pictures "Kondra(0).EMF" (the layer section with the side conditions),
// "Kondra(1).EMF" (the condensation diagram over thickness) and
// "Kondra(2).EMF" (over vapour resistance), each the 140 × 142 picture of the
// main window drawn by the same code.
//
// A picture is drawn on a metafile canvas whose fonts get explicit widths
// (FixMetafileFontWidth), and its header is then written for the screen's
// resolution, or for `dpi` (SetMetafileResolution).
#pragma once

#include <string>

#include "calc/Diagram.h"

namespace kondra {

// The metafile of display mode 0 (section), 1 (thickness) or 2 (vapour
// resistance). The diagrams show only the background while the results are
// not valid.
std::string DiagramMetafile(int displayMode, const LayerLooks& looks, CalcState& s = Calc, int dpi = 0);

// Writes it to `path` whole and atomically. False with `error` (naming the
// file) when the write fails.
bool WriteDiagramMetafile(int displayMode, const std::string& path, const LayerLooks& looks,
                          std::string* error = nullptr, CalcState& s = Calc, int dpi = 0);

// folder + "Kondra(" n ").EMF".
std::string ReportPictureName(const std::string& folder, int n);

// Writes the three report pictures into `folder` (with its trailing "\").
// Stops at the first failed write.
bool WriteReportPictures(const std::string& folder, const LayerLooks& looks, std::string* error = nullptr,
                         CalcState& s = Calc);

}  // namespace kondra
