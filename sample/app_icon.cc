#include "app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "controls.h"

namespace sample {

QIcon QuandorIcon() {
  QIcon icon;
  for (int size : {16, 32, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kOrange);
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    // A check mark in the tab's light cyan.
    QPainterPath tick;
    tick.moveTo(size * 0.22, size * 0.52);
    tick.lineTo(size * 0.42, size * 0.72);
    tick.lineTo(size * 0.78, size * 0.28);
    painter.setPen(QPen(kLightCyan, size / 8.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace sample
