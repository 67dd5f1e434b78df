#include "output/gui/WindowCapture.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "env/FileSystem.h"
#include "env/Messages.h"
#include "output/Bitmap.h"
#include "output/Jpeg.h"
#include "output/Metafile.h"
#include "output/gui/MetafileSupport.h"

namespace kondra {

namespace {

QPointer<QWidget>& NamedWindow() {
  static QPointer<QWidget> window;
  return window;
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

RgbImage RgbOf(const QImage& picture) {
  QImage image = picture.convertToFormat(QImage::Format_RGB888);
  RgbImage out(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    std::copy_n(image.constScanLine(y), static_cast<std::size_t>(image.width()) * 3, out.Pixel(0, y));
  EmfDevice screen = MetafileScreen();
  out.dotsPerMetreX = static_cast<int32_t>(std::lround(screen.dpiX / 0.0254));
  out.dotsPerMetreY = static_cast<int32_t>(std::lround(screen.dpiY / 0.0254));
  return out;
}

}  // namespace

std::string WindowCaptureFile() { return fs::UserCacheFolder() + "WCRT.BMP"; }

std::string ChartPreviewFile() { return fs::UserCacheFolder() + "Chart.EMF"; }

std::string WithExtension(const std::string& path, const std::string& ext) {
  std::size_t slash = path.find_last_of('\\');
  std::size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return path.substr(0, dot) + ext;
  return path + ext;
}

void SetCaptureWindow(QWidget* window) { NamedWindow() = window; }

void SaveWindowToFile(const std::string& path) {
  InstallQtMetafileSupport();
  std::string bmp = WithExtension(path, ".BMP");
  std::string jpg = WithExtension(path, ".JPG");
  // Let the window finish what it is drawing before it is taken.
  Wait(0.1);
  Wait(0.1);
  QWidget* window = NamedWindow() ? NamedWindow().data() : QApplication::activeWindow();
  QImage picture;
  if (window && window->isVisible()) picture = window->grab().toImage();
  if (!picture.isNull()) {
    std::string why;
    std::string folder = FolderOf(bmp);
    if (!folder.empty() && !fs::IsDir(folder)) fs::MakeFolders(folder, &why);
    if (fs::WriteWhole(bmp, EncodeBmp(RgbOf(picture)), &why)) {
      BmpToJpeg(bmp, jpg);
      JpegToBmp(jpg, bmp, PixelFormat::pf24bit);
    } else {
      MsgBox("ビットマップファイルを保存できません。" + std::string(CR) + CR + bmp + CR + why, 4, 1);
    }
  }
  ShowStatus("〔画面をファイルに保存完了〕");
}

}  // namespace kondra
