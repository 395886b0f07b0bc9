#include "platform_ui/message_fit.h"

#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <climits>

namespace zelvo {

void FitMessageToScreen(QMessageBox& box) {
  // Qt's own name for the box's text label.
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!label || !grid || grid->indexOf(label) < 0) return;
  const QRect screen = box.screen()->availableGeometry();
  // Within the width up to which QMessageBox lets a box grow on its own.
  const int widest = std::min(screen.width() / 2, 500);
  const int tallest = screen.height() / 2;
  const QRect text = QFontMetrics(label->font())
                         .boundingRect(QRect(0, 0, widest, INT_MAX), Qt::TextWrapAnywhere, label->text());
  if (text.height() <= tallest) return;

  auto* view = new QPlainTextEdit(label->text(), &box);
  view->setObjectName(QStringLiteral("zelvo_msgbox_text"));
  view->setReadOnly(true);
  view->setFocusPolicy(Qt::ClickFocus);  // the buttons keep the keyboard, as in any box
  view->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  const int viewChrome = 2 * view->frameWidth() + 2 * static_cast<int>(view->document()->documentMargin()) +
                         view->verticalScrollBar()->sizeHint().width();
  view->setFixedSize(std::min(text.width() + viewChrome, widest), tallest);
  int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
  grid->getItemPosition(grid->indexOf(label), &row, &column, &rowSpan, &columnSpan);
  label->hide();
  grid->addWidget(view, row, column, rowSpan, columnSpan);
}

}  // namespace zelvo
