#include "controls/MetafileEx.h"

#include <QByteArray>
#include <QMimeData>
#include <QPainter>

#include <cmath>

#include "env/FileSystem.h"
#include "output/gui/MetafilePainter.h"
#include "output/gui/MetafileSupport.h"

namespace kondra {

namespace {

const char* const kMimeTypes[] = {"image/x-emf", "image/emf"};

// The two ways a Windows metafile starts: the placeable header's key, or a
// plain header (type 1 or 2, header size 9 words).
bool IsWindowsMetafile(std::string_view data) {
  if (data.size() >= 4 && static_cast<uint8_t>(data[0]) == 0xD7 && static_cast<uint8_t>(data[1]) == 0xCD &&
      static_cast<uint8_t>(data[2]) == 0xC6 && static_cast<uint8_t>(data[3]) == 0x9A)
    return true;
  return data.size() >= 4 && (data[0] == 1 || data[0] == 2) && data[1] == 0 && data[2] == 9 && data[3] == 0;
}

}  // namespace

TMetafileEx::TMetafileEx(std::string data) : data_(std::move(data)), header_(ReadEmfHeader(data_)) {
  if (!header_) data_.clear();
}

int TMetafileEx::Width() const {
  InstallQtMetafileSupport();
  return header_ ? header_->WidthAt(MetafileScreen().dpiX) : 0;
}

int TMetafileEx::Height() const {
  InstallQtMetafileSupport();
  return header_ ? header_->HeightAt(MetafileScreen().dpiY) : 0;
}

int TMetafileEx::MMWidth() const { return header_ ? header_->frameRight - header_->frameLeft : 0; }

int TMetafileEx::MMHeight() const { return header_ ? header_->frameBottom - header_->frameTop : 0; }

bool TMetafileEx::LoadFromFile(const std::string& path, std::string* error) {
  std::string bytes, why;
  if (!fs::ReadWhole(path, bytes, &why)) {
    if (error) *error = path + ": " + why;
    return false;
  }
  if (IsWindowsMetafile(bytes)) {
    if (error) *error = path + ": Windowsメタファイル(WMF)は読めません。拡張メタファイル(EMF)にして下さい";
    return false;
  }
  std::optional<EmfHeader> header = ReadEmfHeader(bytes, &why);
  if (!header) {
    if (error) *error = path + ": " + why;
    return false;
  }
  data_ = std::move(bytes);
  header_ = header;
  return true;
}

bool TMetafileEx::SaveToFile(const std::string& path, std::string* error) const {
  std::string why;
  if (!fs::WriteWhole(path, data_, &why)) {
    if (error) *error = path + ": " + why;
    return false;
  }
  return true;
}

bool TMetafileEx::LoadFromMimeData(const QMimeData* mime) {
  if (!mime) return false;
  for (const char* type : kMimeTypes) {
    if (!mime->hasFormat(type)) continue;
    QByteArray bytes = mime->data(type);
    std::string data(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    std::optional<EmfHeader> header = ReadEmfHeader(data);
    if (!header) continue;
    data_ = std::move(data);
    header_ = header;
    return true;
  }
  return false;
}

void TMetafileEx::SaveToMimeData(QMimeData* mime) const {
  if (!mime || Empty()) return;
  QByteArray bytes(data_.data(), static_cast<qsizetype>(data_.size()));
  for (const char* type : kMimeTypes) mime->setData(type, bytes);
}

void TMetafileEx::Draw(QPainter& painter, const QRectF& rect) const {
  if (Empty()) return;
  InstallQtMetafileSupport();
  bool clipped = painter.hasClipping();
  QRegion region = painter.clipRegion();
  painter.setClipping(false);
  DrawMetafile(painter, data_, rect);
  if (clipped) painter.setClipRegion(region);
}

QImage TMetafileEx::ToImage(QSize size, const QColor& background) const {
  if (Empty()) return QImage();
  if (!size.isValid() || size.isEmpty()) size = QSize(std::max(1, Width()), std::max(1, Height()));
  return RenderMetafile(data_, size, background);
}

bool TMetafileEx::SetResolution(int dpiX, int dpiY) {
  if (Empty()) return false;
  InstallQtMetafileSupport();
  std::string data = data_;
  if (!kondra::SetMetafileResolution(data, dpiX, dpiY)) return false;
  // Reloaded from the new bytes.
  *this = TMetafileEx(std::move(data));
  return !Empty();
}

bool SetMetafileResolution(TMetafileEx& metafile, int dpiX, int dpiY) { return metafile.SetResolution(dpiX, dpiY); }

}  // namespace kondra
