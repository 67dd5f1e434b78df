// Pictures of a widget (a chart): as an enhanced metafile, drawn by the
// widget's own painting through a metafile paint device, and as a bitmap.
// Both cover the widget's whole rectangle.
#pragma once

#include <QImage>
#include <QPaintDevice>

#include <memory>
#include <string>
#include <string_view>

class QWidget;

namespace kondra {

class EmfWriter;

// A paint device whose painting becomes metafile records: areas as polygons,
// thin lines as lines, texts as UTF-16 text records with the face's name and
// advances, images as bitmaps. Logical units are sixteenths of a pixel, so
// antialiased drawing keeps its positions. Its resolution is the screen's.
class EmfPaintDevice : public QPaintDevice {
 public:
  EmfPaintDevice(int width, int height, std::string_view description = {});
  ~EmfPaintDevice() override;

  QPaintEngine* paintEngine() const override;
  // The finished metafile; paint nothing afterwards.
  std::string Finish();

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  int width_;
  int height_;
  std::unique_ptr<EmfWriter> writer_;
  std::unique_ptr<QPaintEngine> engine_;
};

// The widget's picture as an enhanced metafile.
std::string WidgetMetafile(QWidget* widget, std::string_view description = {});
// Writes it to `path` whole and atomically; false, with `error` naming the
// file, when the write fails.
bool SaveWidgetMetafile(QWidget* widget, const std::string& path, std::string* error = nullptr);
// The widget's picture as a 24-bit bitmap file at `path`.
bool SaveWidgetBitmap(QWidget* widget, const std::string& path, std::string* error = nullptr);

}  // namespace kondra
