#pragma once
// TkxPaintPanel: a mouse panel with a paint event and a stored pattern choice.
#include <functional>

#include "ui/kxMousePanel.h"

class QPainter;

enum enumPaintPanelMuster {
  ePaintPNone,
  ePaintPHauptwin,
  ePaintPSeiten,
  ePaintPSeitenHell,
  ePaintPDialog,
  ePaintPHauptwinGrau,
  ePaintPSeitenGrau
};

class TkxPaintPanel : public TkxMousePanel {
  Q_OBJECT
 public:
  explicit TkxPaintPanel(QWidget* parent = nullptr) : TkxMousePanel(parent) {}

  enumPaintPanelMuster Muster() const { return muster_; }
  void SetMuster(enumPaintPanelMuster m);

  // Called after the plain panel painting, with a painter on the panel.
  std::function<void(TkxPaintPanel* sender, QPainter& painter)> OnPaint;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  enumPaintPanelMuster muster_ = ePaintPNone;
};
