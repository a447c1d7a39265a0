#pragma once
// TZeGradient: a control that fills itself with a two-colour gradient, used
// for the caption strips and panel lines of the new look.
#include <QImage>
#include <QWidget>
#include <functional>

#include "ui/kxgrafik.h"

class TZeGradient : public QWidget {
  Q_OBJECT
 public:
  explicit TZeGradient(QWidget* parent = nullptr);

  bool Buffered() const { return buffered_; }
  void SetBuffered(bool on);
  TGradDirection Direction() const { return direction_; }
  void SetDirection(TGradDirection d);
  TColor StartColor() const { return startColor_; }
  void SetStartColor(TColor c);
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor c);
  int StepWidth() const { return stepWidth_; }
  // Only 1..10 are taken; other values leave the step width as it is.
  void SetStepWidth(int w);
  TGradStyle Style() const { return style_; }
  void SetStyle(TGradStyle s);

  const TGradientTable& Table() const { return table_; }
  // True while a buffer exists that holds the current gradient.
  bool BufferValid() const {
    return buffered_ && !buffer_.isNull() && bufW_ == width() && bufH_ == height();
  }
  bool HasBuffer() const { return buffered_ && !buffer_.isNull(); }
  // How often the gradient itself was painted (into the buffer or directly).
  int GradientPaints() const { return gradientPaints_; }

  std::function<void()> OnClick, OnDblClick;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  void Changed();
  void RebuildTable();
  void PaintGradient(QPainter& p);

  bool buffered_ = true;
  TGradDirection direction_ = gdDownRight;
  TColor startColor_ = 0xFF0000;
  TColor endColor_ = 0;
  int stepWidth_ = 1;
  TGradStyle style_ = gsVertical;
  QImage buffer_;
  int bufW_ = 0, bufH_ = 0;  // 0: stale
  TGradientTable table_{};
  int gradientPaints_ = 0;
};
