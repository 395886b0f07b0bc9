#include "menus/menu_caption.h"

namespace zelvo {

QString MenuCaption(const QString& name) {
  QString caption = name;
  return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString NameOfMenuCaption(const QString& caption) {
  QString name = caption;
  return name.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

}  // namespace zelvo
