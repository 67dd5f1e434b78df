// TUpDown: a pair of arrow buttons that steps a position between a minimum
// and a maximum, as the point-number input uses it. The position changes
// while a button is pressed (valueChanged); Released tells that the user let
// go of a button, so the position is to be taken.
#pragma once

#include <QAbstractSlider>

namespace kondra {

class TUpDown : public QAbstractSlider {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag WRITE setTag)

 public:
  explicit TUpDown(QWidget* parent = nullptr);

  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  // The two button areas in the widget's coordinates.
  QRect UpRect() const;
  QRect DownRect() const;

  QSize sizeHint() const override;

 signals:
  void Released();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  enum class Part { None, Up, Down };
  Part pressed_ = Part::None;
  int tag_ = 0;
};

}  // namespace kondra
