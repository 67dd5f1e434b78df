#include "tools/Glass.h"

#include <QPainter>
#include <algorithm>
#include <string>

#include "env/FileSystem.h"
#include "env/Folders.h"

namespace kondra {

namespace {

QImage ReadPicture(const std::string& path) {
  std::string bytes;
  QImage image;
  if (fs::ReadWhole(path, bytes))
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

bool GlassPictures::Load() {
  empty_ = ReadPicture(PictDir + "グラス空.BMP");
  filled_ = ReadPicture(PictDir + "グラス水.BMP");
  overflowing_ = ReadPicture(PictDir + "グラス溢.BMP");
  return Loaded();
}

QImage GlassPictures::Compose(const GlassLook& look) const {
  switch (look.picture) {
    case GlassPicture::Empty:
      return empty_;
    case GlassPicture::Overflowing:
      return overflowing_;
    case GlassPicture::Filled:
      break;
  }
  QImage glass = filled_.copy();
  if (glass.isNull() || empty_.isNull()) return glass;
  const int band = std::clamp(look.band, 0, std::min(glass.height(), empty_.height()));
  if (band > 0) {
    QPainter painter(&glass);
    painter.drawImage(QPoint(0, 0), empty_, QRect(0, 0, empty_.width(), band));
  }
  return glass;
}

}  // namespace kondra
