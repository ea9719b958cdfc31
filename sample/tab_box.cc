#include "tab_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace sample {

TabBox::TabBox(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::TabFocus);
}

void TabBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QFrame::mousePressEvent(event);
    return;
  }
  event->accept();
  emit clicked();
}

void TabBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space) {
    QFrame::keyPressEvent(event);
    return;
  }
  event->accept();
  emit clicked();
}

void TabBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (!hasFocus()) return;
  // Keyboard users need to see which tab Space would switch to.
  QPainter painter(this);
  QStyleOptionFocusRect option;
  option.initFrom(this);
  option.rect = contentsRect().adjusted(1, 1, -1, -1);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

}  // namespace sample
