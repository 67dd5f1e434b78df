#include "tools/SatReportPage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "controls/Fonts.h"

namespace kondra {

namespace {

QFont FontOf(const ReportItem& item) {
  QFont font(item.family.isEmpty() ? kFontPGothic : item.family);
  font.setPixelSize(std::max(1, item.pixelSize));
  font.setBold(item.bold);
  return font;
}

void PaintItem(QPainter& p, const ReportItem& item) {
  if (item.rule) {
    p.fillRect(item.rect, Qt::black);
    return;
  }
  if (!item.image.isNull()) {
    p.drawImage(item.rect, item.image);
    return;
  }
  if (item.lines.isEmpty()) return;
  p.setFont(FontOf(item));
  p.setPen(Qt::black);
  const QFontMetricsF metrics(p.font());
  if (item.lines.size() == 1 && item.rect.height() <= metrics.height() * 1.5) {
    // A label: one line in its box, or from its left edge when it has no width.
    QRectF box(item.rect);
    if (box.width() <= 0) box.setWidth(std::max(1.0, metrics.horizontalAdvance(item.lines.front()) + 2));
    if (box.height() <= 0) box.setHeight(metrics.height());
    p.drawText(box, static_cast<int>(item.align | Qt::TextSingleLine), item.lines.front());
    return;
  }
  // A memo: lines one under the other, cut at its box.
  p.save();
  p.setClipRect(item.rect);
  qreal y = item.rect.top() + metrics.ascent();
  for (const QString& line : item.lines) {
    p.drawText(QPointF(item.rect.left(), y), line);
    y += metrics.lineSpacing();
  }
  p.restore();
}

}  // namespace

SatReportPage::SatReportPage(QWidget* parent) : QWidget(parent) {
  InstallLegacyFontNames();
  SetZoom(100);
}

ReportItem* SatReportPage::Item(const QString& name) {
  for (ReportItem& item : items_)
    if (item.name == name) return &item;
  return nullptr;
}

const ReportItem* SatReportPage::Item(const QString& name) const {
  for (const ReportItem& item : items_)
    if (item.name == name) return &item;
  return nullptr;
}

QString SatReportPage::Text(const QString& name) const {
  const ReportItem* item = Item(name);
  return item ? item->Text() : QString();
}

void SatReportPage::SetZoom(int percent) {
  zoom_ = std::clamp(percent, 10, 400);
  setFixedSize(kPageWidth * zoom_ / 100, kPageHeight * zoom_ / 100);
  update();
}

void SatReportPage::PaintPage(QPainter& painter) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.fillRect(QRect(0, 0, kPageWidth, kPageHeight), Qt::white);
  for (const ReportItem& item : items_) PaintItem(painter, item);
  painter.restore();
}

void SatReportPage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.scale(zoom_ / 100.0, zoom_ / 100.0);
  PaintPage(painter);
}

void PaintReportPage(QPaintDevice* device, const SatReportPage& page) {
  if (!device || device->width() <= 0 || device->height() <= 0) return;
  QPainter painter(device);
  const double scale = std::min(static_cast<double>(device->width()) / SatReportPage::kPageWidth,
                                static_cast<double>(device->height()) / SatReportPage::kPageHeight);
  painter.scale(scale, scale);
  page.PaintPage(painter);
}

}  // namespace kondra
