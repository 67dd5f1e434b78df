#include "output/gui/PictureFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>

#include "env/FileSystem.h"
#include "env/Text.h"
#include "output/DiagramMetafile.h"
#include "output/Palette.h"
#include "output/gui/MetafileSupport.h"
#include "output/gui/QtCanvas.h"

namespace kondra {

namespace {

// 96 dots per inch.
constexpr int kDotsPerMetre = 3780;

int DisplayModeOf(PictureKind kind) {
  switch (kind) {
    case PictureKind::Thickness:
      return 1;
    case PictureKind::Resistance:
      return 2;
    case PictureKind::Section:
      break;
  }
  return 0;
}

const char* TitleOf(PictureKind kind) {
  switch (kind) {
    case PictureKind::Thickness:
      return "【結露線図】 厚さ";
    case PictureKind::Resistance:
      return "【結露線図】 透湿抵抗";
    case PictureKind::Section:
      break;
  }
  return "【層構成図】";
}

// The whole picture: the background first (the diagram of a horizontal
// element clears only the parts it draws on), then the drawing.
void Paint(QPainter& painter, PictureKind kind, const LayerLooks& looks, CalcState& s) {
  painter.fillRect(QRect(0, 0, kPictureWidth, kPictureHeight), ToQColor(ColorOf(kColorBackground)));
  QtCanvas canvas(painter);
  DrawDisplayPicture(canvas, DisplayModeOf(kind), looks, s);
}

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

}  // namespace

std::optional<PictureKind> PictureKindFromName(std::string_view name) {
  if (name == "section") return PictureKind::Section;
  if (name == "thickness") return PictureKind::Thickness;
  if (name == "resistance") return PictureKind::Resistance;
  return std::nullopt;
}

QImage RenderPicture(PictureKind kind, int scale, const LayerLooks& looks, CalcState& s) {
  scale = std::clamp(scale, 1, kMaxPictureScale);
  QImage image(kPictureWidth * scale, kPictureHeight * scale, QImage::Format_RGB32);
  image.setDotsPerMeterX(kDotsPerMetre * scale);
  image.setDotsPerMeterY(kDotsPerMetre * scale);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, scale > 1);
  painter.setRenderHint(QPainter::TextAntialiasing, scale > 1);
  painter.scale(scale, scale);
  Paint(painter, kind, looks, s);
  painter.end();
  return image;
}

bool WritePictureFile(PictureKind kind, const std::string& path, int scale, const LayerLooks& looks,
                      std::string* error, CalcState& s) {
  std::string upper = UpperAscii(path);
  bool png = upper.ends_with(".PNG");
  bool svg = upper.ends_with(".SVG");
  bool emf = upper.ends_with(".EMF");
  if (!png && !svg && !emf) {
    SetError(error, "画像ファイルの拡張子は .png か .svg か .emf にして下さい: " + path);
    return false;
  }
  if (scale < 1 || scale > kMaxPictureScale) {
    SetError(error, "拡大率は1～" + std::to_string(kMaxPictureScale) + "で指定して下さい。");
    return false;
  }
  if (kind != PictureKind::Section && !s.Calculated) {
    SetError(error, "結露計算が済んでいないため結露線図を描けません。");
    return false;
  }
  if (emf) {
    // The metafile is the report's picture, made for the screen's
    // resolution; being drawn, not painted, it needs no enlargement.
    InstallQtMetafileSupport();
    return WriteDiagramMetafile(DisplayModeOf(kind), path, looks, error, s);
  }

  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (png) {
    RenderPicture(kind, scale, looks, s).save(&buffer, "PNG");
  } else {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(kPictureWidth * scale, kPictureHeight * scale));
    generator.setViewBox(QRect(0, 0, kPictureWidth, kPictureHeight));
    generator.setResolution(96);
    generator.setTitle(QString::fromUtf8(TitleOf(kind)));
    QPainter painter(&generator);
    Paint(painter, kind, looks, s);
    painter.end();
  }
  buffer.close();
  std::string writeError;
  if (!fs::WriteWhole(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                      &writeError)) {
    SetError(error, path + ": " + writeError);
    return false;
  }
  return true;
}

}  // namespace kondra
