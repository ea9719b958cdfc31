// Places of the windows' controls in twips (1/1440 inch), turned into pixels
// by the logical resolution of the screen, so that the windows keep their
// proportions whatever the resolution.
#ifndef QUANDOR_SAMPLE_TWIPS_H_
#define QUANDOR_SAMPLE_TWIPS_H_

#include <QPoint>
#include <QRect>
#include <QSize>

namespace sample {

// Pixels for a length in twips: twips * dpi / 1440, rounded.
int TwipsToPixels(int twips);

QPoint TwipsPoint(int left, int top);
QSize TwipsSize(int width, int height);
// A control's place: left, top, width, height in twips.
QRect TwipsRect(int left, int top, int width, int height);

}  // namespace sample

#endif  // QUANDOR_SAMPLE_TWIPS_H_
