#pragma once

#include <QWidget>

#include "platform/twips.h"

namespace zelvo {

// The thin strip left on the top edge while the bar is tucked away. It carries
// a second progress line, so the playing position stays in sight.
class StripWindow : public QWidget {
  Q_OBJECT
 public:
  explicit StripWindow(const Twips& twips);

  void SetGeometryTwips(double left, double top, double width, double height);
  double WidthTwips() const { return widthTwips_; }
  // End point of the progress line, in twips from the left edge.
  void SetProgress(double x2Twips);
  double Progress() const { return progressTwips_; }
  void SetColours(const QColor& line, const QColor& background);

 signals:
  void MouseMoved();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  const Twips& twips_;
  double widthTwips_ = 0;
  double progressTwips_ = 15;
  QColor line_{0x3a, 0x8e, 0xc8};
};

}  // namespace zelvo
