#pragma once

#include <QImage>

namespace zelvo::skingen {

// credits.dat: the picture at the top of the credits window.
QImage PaintCreditsPicture();

}  // namespace zelvo::skingen
