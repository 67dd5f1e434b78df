// TPeloraButton: the owner-drawn push button, with multi-line captions,
// caption alignment and offsets, three frame styles (standard, flat with a
// raised frame under the pointer, none), an engraved caption when disabled,
// and notifications when the pointer enters or leaves it.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QStringList>

class QShortcut;

namespace kondra {

class TPeloraButton : public QAbstractButton {
  Q_OBJECT
  Q_PROPERTY(QStringList CaptionLines READ CaptionLines WRITE setCaptionLines)
  Q_PROPERTY(QColor Color READ Color WRITE setColor)
  Q_PROPERTY(TNHAlignment CapAlignH READ CapAlignH WRITE setCapAlignH)
  Q_PROPERTY(TNVAlignment CapAlignV READ CapAlignV WRITE setCapAlignV)
  Q_PROPERTY(TButtonStyle ButtonStyle READ ButtonStyle WRITE setButtonStyle)
  Q_PROPERTY(bool CapFixed READ CapFixed WRITE setCapFixed)
  Q_PROPERTY(bool Focusline READ Focusline WRITE setFocusline)
  Q_PROPERTY(int CapOffsetH READ CapOffsetH WRITE setCapOffsetH)
  Q_PROPERTY(int CapOffsetV READ CapOffsetV WRITE setCapOffsetV)
  Q_PROPERTY(QColor FrameColor READ FrameColor WRITE setFrameColor)
  Q_PROPERTY(QColor EdgeHighlight READ EdgeHighlight WRITE setEdgeHighlight)
  Q_PROPERTY(QColor EdgeShadow READ EdgeShadow WRITE setEdgeShadow)
  Q_PROPERTY(bool Default READ Default WRITE setDefault)
  Q_PROPERTY(bool Cancel READ Cancel WRITE setCancel)
  Q_PROPERTY(int Tag READ Tag WRITE setTag)

 public:
  enum TNHAlignment { haLeft, haCenter, haRight };
  Q_ENUM(TNHAlignment)
  enum TNVAlignment { vaTop, vaCenter, vaBottom };
  Q_ENUM(TNVAlignment)
  enum TButtonStyle { bsStd, bsIELike, bsNone };
  Q_ENUM(TButtonStyle)

  explicit TPeloraButton(QWidget* parent = nullptr);

  QStringList CaptionLines() const { return captionLines_; }
  void setCaptionLines(const QStringList& lines);
  QColor Color() const { return color_; }
  void setColor(const QColor& c) { Set(color_, c); }
  TNHAlignment CapAlignH() const { return capAlignH_; }
  void setCapAlignH(TNHAlignment a) { Set(capAlignH_, a); }
  TNVAlignment CapAlignV() const { return capAlignV_; }
  void setCapAlignV(TNVAlignment a) { Set(capAlignV_, a); }
  TButtonStyle ButtonStyle() const { return buttonStyle_; }
  void setButtonStyle(TButtonStyle s) { Set(buttonStyle_, s); }
  bool CapFixed() const { return capFixed_; }
  void setCapFixed(bool on) { Set(capFixed_, on); }
  bool Focusline() const { return focusline_; }
  void setFocusline(bool on) { Set(focusline_, on); }
  int CapOffsetH() const { return capOffsetH_; }
  void setCapOffsetH(int v) { Set(capOffsetH_, v); }
  int CapOffsetV() const { return capOffsetV_; }
  void setCapOffsetV(int v) { Set(capOffsetV_, v); }
  QColor FrameColor() const { return frameColor_; }
  void setFrameColor(const QColor& c) { Set(frameColor_, c); }
  QColor EdgeHighlight() const { return edgeHighlight_; }
  void setEdgeHighlight(const QColor& c) { Set(edgeHighlight_, c); }
  QColor EdgeShadow() const { return edgeShadow_; }
  void setEdgeShadow(const QColor& c) { Set(edgeShadow_, c); }
  // The window's default button (Enter) and cancel button (Esc).
  bool Default() const { return default_; }
  void setDefault(bool on);
  bool Cancel() const { return cancel_; }
  void setCancel(bool on);
  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  bool Hovering() const { return hovering_; }
  // The caption drawn: the button's text, or the caption lines when it is empty.
  QString Caption() const;

  QSize sizeHint() const override;

 signals:
  void MouseEnter();
  void MouseLeave();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  template <typename T>
  void Set(T& field, const T& value) {
    if (field == value) return;
    field = value;
    update();
  }
  void PointerEntered();

  QStringList captionLines_;
  QColor color_, frameColor_, edgeHighlight_, edgeShadow_;
  TNHAlignment capAlignH_ = haCenter;
  TNVAlignment capAlignV_ = vaCenter;
  TButtonStyle buttonStyle_ = bsStd;
  bool capFixed_ = true;
  bool focusline_ = true;
  int capOffsetH_ = 0, capOffsetV_ = 0;
  bool default_ = false, cancel_ = false;
  bool hovering_ = false;
  int tag_ = 0;
  QShortcut* defaultKeys_[2] = {nullptr, nullptr};
  QShortcut* cancelKey_ = nullptr;
};

}  // namespace kondra
