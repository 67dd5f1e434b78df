#include "output/gui/QuickRep.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "controls/Fonts.h"
#include "output/ReportPages.h"

namespace kondra {

QFont ReportFont(const QString& family, int pixelHeight, bool bold) {
  InstallLegacyFontNames();
  QFont font(family);
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  // Hinting would move the glyphs of a shrunk page apart from those printed.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  return font;
}

TQRLabel::TQRLabel(TQuickRep* page, const QString& name, QPoint topLeft, int width, const QFont& font,
                   Qt::Alignment alignment, const QColor& colour)
    : QObject(page), page_(page), topLeft_(topLeft), width_(width), font_(font), alignment_(alignment),
      colour_(colour) {
  setObjectName(name);
}

void TQRLabel::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  page_->update();
}

void TQRLabel::SetColour(const QColor& colour) {
  colour_ = colour;
  page_->update();
}

void TQRLabel::SetVisible(bool visible) {
  visible_ = visible;
  page_->update();
}

QRect TQRLabel::TextRect() const {
  QFontMetrics metrics(font_);
  const int textWidth = metrics.horizontalAdvance(caption_);
  const int height = metrics.height();
  if (alignment_ & Qt::AlignRight) return QRect(topLeft_.x() + width_ - textWidth, topLeft_.y(), textWidth, height);
  if (alignment_ & Qt::AlignHCenter)
    return QRect(topLeft_.x() + (width_ - textWidth) / 2, topLeft_.y(), textWidth, height);
  return QRect(topLeft_.x(), topLeft_.y(), textWidth, height);
}

void TQRLabel::Paint(QPainter& painter) const {
  if (!visible_ || caption_.isEmpty()) return;
  painter.setFont(font_);
  painter.setPen(colour_);
  const QRect rect = TextRect();
  // Drawn from the baseline so that the page's fixed-pitch rows line up
  // whatever the device.
  QFontMetrics metrics(font_);
  painter.drawText(QPoint(rect.x(), rect.y() + metrics.ascent()), caption_);
}

TQRImage::TQRImage(TQuickRep* page, const QString& name, const QRect& rect)
    : QObject(page), page_(page), rect_(rect) {
  setObjectName(name);
}

void TQRImage::SetPicture(TMetafileEx picture) {
  picture_ = std::move(picture);
  page_->update();
}

void TQRImage::Paint(QPainter& painter) const {
  if (picture_.Empty()) return;
  picture_.Draw(painter, QRectF(rect_));
}

TQuickRep::TQuickRep(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(false);
  SetZoom(100);
}

void TQuickRep::SetZoom(int zoom) {
  zoom_ = std::clamp(zoom, 1, 400);
  setFixedSize((kReportPageWidth * zoom_ + 50) / 100, (kReportPageHeight * zoom_ + 50) / 100);
  update();
}

void TQuickRep::PaintPage(QPainter& painter) const {
  painter.fillRect(QRect(0, 0, kReportPageWidth, kReportPageHeight), Qt::white);
  for (QObject* child : children()) {
    if (auto* image = qobject_cast<TQRImage*>(child)) image->Paint(painter);
  }
  for (QObject* child : children()) {
    if (auto* label = qobject_cast<TQRLabel*>(child)) label->Paint(painter);
  }
}

void TQuickRep::Render(QPainter& painter, const QRectF& target) const {
  painter.save();
  painter.translate(target.topLeft());
  const double scale = target.width() / kReportPageWidth;
  painter.scale(scale, scale);
  painter.setClipRect(QRect(0, 0, kReportPageWidth, kReportPageHeight));
  PaintPage(painter);
  painter.restore();
}

void TQuickRep::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  Render(painter, QRectF(0, 0, kReportPageWidth * zoom_ / 100.0, kReportPageHeight * zoom_ / 100.0));
}

}  // namespace kondra
