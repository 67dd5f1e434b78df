// The page of the saturation curve report: an A4 page of 794 × 1123 pixels at
// 100 % made of named parts (labels, a memo of lines, a picture, a rule),
// shown at a zoom in the report window and painted the same way on any paint
// device: a printer, a PDF file, a picture.
#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

class QPaintDevice;
class QPainter;

namespace kondra {

struct ReportItem {
  QString name;  // QRLBL1_A, QRMEMO1_1, QRIMAG1_1, QRBAND1, ...
  // Page pixels at 100 %. A label without a width is as wide as its text.
  QRect rect;
  QString family;  // a legacy font name ("ＭＳ Ｐ明朝", ...)
  int pixelSize = 13;
  bool bold = false;
  Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
  QStringList lines;  // a label has one line, a memo many
  QImage image;       // a picture, stretched over its rectangle
  bool rule = false;  // a black band
  QString Text() const { return lines.join('\n'); }
};

class SatReportPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPageWidth = 794;
  static constexpr int kPageHeight = 1123;

  explicit SatReportPage(QWidget* parent = nullptr);

  QList<ReportItem>& Items() { return items_; }
  const QList<ReportItem>& Items() const { return items_; }
  // The part of that name (nullptr when the page has none).
  ReportItem* Item(const QString& name);
  const ReportItem* Item(const QString& name) const;
  QString Text(const QString& name) const;

  // The shown size in percent of the page.
  int Zoom() const { return zoom_; }
  void SetZoom(int percent);

  // Paints the page at 100 % with its top left at the painter's origin.
  void PaintPage(QPainter& painter) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QList<ReportItem> items_;
  int zoom_ = 100;
};

// Paints the whole page on a device (a QPrinter, a QPdfWriter, an image),
// scaled to fit the device's width and height with its shape kept.
void PaintReportPage(QPaintDevice* device, const SatReportPage& page);

}  // namespace kondra
