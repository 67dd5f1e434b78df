// TImageEx: a picture box that tells its window after every paint, so the
// window can draw its marks and cursors over the picture.
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <string>

namespace kondra {

class TImageEx : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool Zoom READ Zoom WRITE setZoom)
  Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch)
  Q_PROPERTY(bool Center READ Center WRITE setCenter)
  Q_PROPERTY(bool Proportional READ Proportional WRITE setProportional)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
  Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
  Q_PROPERTY(int Tag READ Tag WRITE setTag)

 public:
  explicit TImageEx(QWidget* parent = nullptr);

  bool Zoom() const { return zoom_; }  // stored with the window description only
  void setZoom(bool on) { zoom_ = on; }
  bool Stretch() const { return stretch_; }
  void setStretch(bool on);
  bool Center() const { return center_; }
  void setCenter(bool on);
  bool Proportional() const { return proportional_; }
  void setProportional(bool on);
  bool AutoSize() const { return autoSize_; }
  void setAutoSize(bool on);
  bool Transparent() const { return transparent_; }
  void setTransparent(bool on);
  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  const QImage& Picture() const { return picture_; }
  void SetPicture(const QImage& picture);
  // Reads a picture file (BMP, PNG, JPEG, ...) through the program's file
  // access; false, and the picture unchanged, when it cannot be read.
  bool LoadPicture(const std::string& path);
  void ClearPicture();
  // The picture to draw on, made the size of the box (white) when there is
  // none yet; call update() after drawing.
  QImage& Bitmap();

  QSize sizeHint() const override;

 signals:
  // After every paint, once the picture is drawn: the window's overlays.
  void Paint(QPainter* canvas);
  void Clicked();
  void DblClick();
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QRect PictureRect() const;

  QImage picture_;
  bool zoom_ = false, stretch_ = false, center_ = false, proportional_ = false, autoSize_ = false,
       transparent_ = false;
  bool pressed_ = false;
  int tag_ = 0;
};

}  // namespace kondra
