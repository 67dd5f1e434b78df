// The three pictures of a calculation as image files: the layer section, the
// condensation diagram over thickness and over vapour resistance, each the
// 140 × 142 picture of the main window, enlarged `scale` times for reading.
// Drawn headless (Qt's offscreen platform will do), from the calculation
// state as it stands and the palette of the environment.
#pragma once

#include <QImage>

#include <optional>
#include <string>
#include <string_view>

#include "calc/Diagram.h"

namespace kondra {

enum class PictureKind { Section, Thickness, Resistance };

// "section", "thickness", "resistance" (as the command line names them).
std::optional<PictureKind> PictureKindFromName(std::string_view name);

// The largest enlargement offered.
inline constexpr int kMaxPictureScale = 16;

// The picture as an image of 140·scale × 142·scale pixels at 96 dpi·scale.
// The diagrams need valid results (Calculated); without them the image shows
// only the background.
QImage RenderPicture(PictureKind kind, int scale, const LayerLooks& looks, CalcState& s = Calc);

// Writes the picture to `path` (program form, "C:\…"), as PNG, SVG or an
// enhanced metafile by the path's extension (".png", ".svg", ".emf", any
// case), whole and atomically. The metafile is the report's picture (see
// output/DiagramMetafile.h), made for the screen's resolution; `scale` only
// enlarges PNG and SVG. False with `error` set for an unknown extension, a
// scale outside 1 … 16, a diagram of a calculation without valid results, or
// a failed write.
bool WritePictureFile(PictureKind kind, const std::string& path, int scale, const LayerLooks& looks,
                      std::string* error = nullptr, CalcState& s = Calc);

}  // namespace kondra
