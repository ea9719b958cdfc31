#include "controls.h"

#include <QFontDatabase>
#include <QPalette>

namespace sample {

QFont SansSerif(double points, bool bold) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  // The places were laid out for a narrow bitmap font; today's default
  // sans-serif fonts are wider and would be cut off at the controls' edges.
  font.setStretch(QFont::Condensed);
  return font;
}

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Text, colour);
  widget->setPalette(palette);
}

QLabel* NewLabel(QWidget* parent, const char* name, const QRect& place, const QString& text) {
  auto* label = NewControl<QLabel>(parent, name, place);
  label->setText(text);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QRect& place, const QString& text) {
  auto* button = NewControl<QPushButton>(parent, name, place);
  button->setText(text);
  button->setAutoDefault(true);
  return button;
}

}  // namespace sample
