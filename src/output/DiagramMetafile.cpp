#include "output/DiagramMetafile.h"

#include "env/FileSystem.h"
#include "output/Draw.h"
#include "output/EmfCanvas.h"
#include "output/Metafile.h"
#include "output/Palette.h"

namespace kondra {

namespace {

const char* TitleOf(int displayMode) {
  switch (displayMode) {
    case 1:
      return "【結露線図】 厚さ";
    case 2:
      return "【結露線図】 透湿抵抗";
    default:
      break;
  }
  return "【層構成図】";
}

}  // namespace

std::string DiagramMetafile(int displayMode, const LayerLooks& looks, CalcState& s, int dpi) {
  EmfCanvas canvas(kPictureWidth, kPictureHeight, TitleOf(displayMode));
  FixMetafileFontWidth(canvas);
  // The whole picture first: the diagram of a horizontal element clears
  // only the parts it draws on.
  FillBox(canvas, 0, 0, kPictureWidth, kPictureHeight, kColorBackground, 0);
  DrawDisplayPicture(canvas, displayMode, looks, s);
  std::string bytes = canvas.Finish();
  SetMetafileResolution(bytes, dpi, dpi);
  return bytes;
}

bool WriteDiagramMetafile(int displayMode, const std::string& path, const LayerLooks& looks, std::string* error,
                          CalcState& s, int dpi) {
  std::string bytes = DiagramMetafile(displayMode, looks, s, dpi);
  std::string why;
  if (!fs::WriteWhole(path, bytes, &why)) {
    if (error) *error = path + ": " + why;
    return false;
  }
  return true;
}

std::string ReportPictureName(const std::string& folder, int n) {
  return folder + "Kondra(" + std::to_string(n) + ").EMF";
}

bool WriteReportPictures(const std::string& folder, const LayerLooks& looks, std::string* error, CalcState& s) {
  for (int n = 0; n <= 2; ++n)
    if (!WriteDiagramMetafile(n, ReportPictureName(folder, n), looks, error, s)) return false;
  return true;
}

}  // namespace kondra
