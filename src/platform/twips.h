#pragma once

#include <QRect>
#include <cmath>

namespace zelvo {

// Converts the player's twips to the screen's pixels. Geometry is kept in
// twips everywhere and passes through here once, where a widget is placed.
class Twips {
 public:
  Twips(double twipsPerPixelX = 15.0, double twipsPerPixelY = 15.0) : x_(twipsPerPixelX), y_(twipsPerPixelY) {}

  double PerPixelX() const { return x_; }
  double PerPixelY() const { return y_; }

  int ToPixelsX(double twips) const { return static_cast<int>(std::lround(twips / x_)); }
  int ToPixelsY(double twips) const { return static_cast<int>(std::lround(twips / y_)); }
  double FromPixelsX(double pixels) const { return pixels * x_; }
  double FromPixelsY(double pixels) const { return pixels * y_; }

  QRect ToPixels(const QRect& twips) const {
    // Edges are converted, not sizes, so neighbouring controls never overlap
    // or leave a gap through rounding.
    const int left = ToPixelsX(twips.x());
    const int top = ToPixelsY(twips.y());
    return QRect(left, top, ToPixelsX(twips.x() + twips.width()) - left,
                 ToPixelsY(twips.y() + twips.height()) - top);
  }

 private:
  double x_;
  double y_;
};

}  // namespace zelvo
