// A printable report page: an A4 page of 794 × 1123 pixels at zoom 100,
// holding labels and pictures at fixed places, shown at any zoom and drawn
// the same on the screen, a printer or a PDF file.
//
// The items are named objects of the page (findChild by their names, e.g.
// "QRLBL1_40"); the page paints them all, scaled by its zoom. Positions and
// font heights are pixels of the page at zoom 100.
#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QRect>
#include <QString>
#include <QWidget>

#include "controls/MetafileEx.h"

class QPainter;

namespace kondra {

class TQuickRep;

// One line of text. A left-aligned label grows to the right from its left
// edge; a right-aligned one keeps its right edge (left + width); a centred
// one is centred in its width.
class TQRLabel : public QObject {
  Q_OBJECT

 public:
  TQRLabel(TQuickRep* page, const QString& name, QPoint topLeft, int width, const QFont& font,
           Qt::Alignment alignment = Qt::AlignLeft, const QColor& colour = Qt::black);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  QColor Colour() const { return colour_; }
  void SetColour(const QColor& colour);
  const QFont& Font() const { return font_; }
  Qt::Alignment Alignment() const { return alignment_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Where the text stands on the page at zoom 100.
  QRect TextRect() const;

  void Paint(QPainter& painter) const;

 private:
  TQuickRep* page_;
  QPoint topLeft_;
  int width_;
  QFont font_;
  Qt::Alignment alignment_;
  QColor colour_;
  QString caption_;
  bool visible_ = true;
};

// A picture stretched onto its rectangle.
class TQRImage : public QObject {
  Q_OBJECT

 public:
  TQRImage(TQuickRep* page, const QString& name, const QRect& rect);

  const TMetafileEx& Picture() const { return picture_; }
  void SetPicture(TMetafileEx picture);
  QRect Rect() const { return rect_; }

  void Paint(QPainter& painter) const;

 private:
  TQuickRep* page_;
  QRect rect_;
  TMetafileEx picture_;
};

class TQuickRep : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int zoom READ Zoom WRITE SetZoom)

 public:
  explicit TQuickRep(QWidget* parent = nullptr);

  int Zoom() const { return zoom_; }
  // Shows the page at zoom % (1 … 400) and sizes the widget to it.
  void SetZoom(int zoom);

  // The whole page drawn onto `target` (the page's shape is kept; it fills
  // the width).
  void Render(QPainter& painter, const QRectF& target) const;
  // The page at zoom 100 in the painter's coordinates.
  void PaintPage(QPainter& painter) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int zoom_ = 100;
};

// A font of the page: a legacy face name with a character height in pixels.
QFont ReportFont(const QString& family, int pixelHeight, bool bold = false);

}  // namespace kondra
