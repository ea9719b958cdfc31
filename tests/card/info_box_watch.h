// Drives the info box while ShowInfo runs it modally: the test cannot act
// from outside the modal loop, so a timer inside it does.
#ifndef QUANDOR_TESTS_CARD_INFO_BOX_WATCH_H_
#define QUANDOR_TESTS_CARD_INFO_BOX_WATCH_H_

#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

struct InfoBoxSighting {
  QPointer<QWidget> window;  // stays set after OK: the window is hidden, not deleted
  bool modal = false;
  QString title;
  QStringList labels;  // texts of Label1 .. Label6
  QString button;
  bool hidden_by_ok = false;
};

// From now on watches for the visible window "frmInfo"; the first time it is
// up, records it into *seen and presses its OK button.
void PressOkWhenShown(InfoBoxSighting* seen);

#endif  // QUANDOR_TESTS_CARD_INFO_BOX_WATCH_H_
