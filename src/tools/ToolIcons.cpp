#include "tools/ToolIcons.h"

#include <QPainter>
#include <QPixmap>

namespace kondra {

namespace {

QPixmap Blank() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

}  // namespace

QIcon PrinterIcon() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setPen(QColor(40, 40, 40));
  p.setBrush(Qt::white);
  p.drawRect(4, 1, 7, 5);  // paper going in
  p.setBrush(QColor(150, 150, 160));
  p.drawRect(1, 5, 13, 6);  // body
  p.setBrush(Qt::white);
  p.drawRect(4, 9, 7, 5);  // paper coming out
  p.setPen(QColor(0, 160, 0));
  p.drawPoint(12, 7);
  return QIcon(pixmap);
}

QIcon PreviewIcon() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setPen(QColor(40, 40, 40));
  p.setBrush(Qt::white);
  p.drawRect(1, 0, 10, 13);  // page
  p.setPen(QColor(150, 150, 150));
  for (int y = 3; y <= 9; y += 2) p.drawLine(3, y, 8, y);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(30, 60, 160), 1.5));
  p.setBrush(QColor(200, 225, 255, 200));
  p.drawEllipse(QRectF(6.5, 6.5, 6, 6));  // lens
  p.drawLine(QPointF(11.5, 11.5), QPointF(15, 15));
  return QIcon(pixmap);
}

}  // namespace kondra
