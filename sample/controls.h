// What both windows share in building their controls: colours, fonts, and
// the creation of a named control at its place.
#ifndef QUANDOR_SAMPLE_CONTROLS_H_
#define QUANDOR_SAMPLE_CONTROLS_H_

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QWidget>

namespace sample {

inline const QColor kWindowColour{255, 224, 192};
inline const QColor kDarkRed{192, 0, 0};
inline const QColor kOrange{255, 128, 0};
inline const QColor kLightCyan{192, 255, 255};

// The platform's default sans-serif font at the given size and weight; the
// windows were laid out for an 8.25 pt font.
QFont SansSerif(double points = 8.25, bool bold = false);

void SetBackground(QWidget* widget, const QColor& colour);
void SetTextColour(QWidget* widget, const QColor& colour);

// Creates a control of kind W as a child of parent, named so that it can be
// found by name, at a place given in pixels (see TwipsRect).
template <class W>
W* NewControl(QWidget* parent, const char* name, const QRect& place) {
  auto* control = new W(parent);
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(place);
  return control;
}

// A label with its text in the top left corner.
QLabel* NewLabel(QWidget* parent, const char* name, const QRect& place, const QString& text = {});

// A button that presses itself on Enter while it has the focus.
QPushButton* NewButton(QWidget* parent, const char* name, const QRect& place, const QString& text);

}  // namespace sample

#endif  // QUANDOR_SAMPLE_CONTROLS_H_
