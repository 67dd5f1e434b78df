// TToolUpDown: the pair of small arrow buttons beside a number field. The
// upper arrow raises the position by one step, the lower lowers it; holding
// a button repeats. The position and range are those of QAbstractSlider, so
// SetUpDownQuietly sets it without the change being reported.
#pragma once

#include <QAbstractSlider>
#include <QTimer>

namespace kondra {

class TToolUpDown : public QAbstractSlider {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag WRITE setTag)

 public:
  explicit TToolUpDown(QWidget* parent = nullptr);

  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  QSize sizeHint() const override { return QSize(16, 20); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Step();
  int tag_ = 0;
  int pressed_ = 0;  // +1 upper, -1 lower
  QTimer repeat_;
};

}  // namespace kondra
