// Helpers that drive the sample program's real windows in Qt Test.
#ifndef QUANDOR_TESTS_SAMPLE_WINDOW_DRIVER_H_
#define QUANDOR_TESTS_SAMPLE_WINDOW_DRIVER_H_

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <functional>

namespace sample_test {

// The control named name within window; fails the test when there is none.
template <class W>
W* Child(const QWidget* window, const char* name) {
  auto* child = window->findChild<W*>(QString::fromLatin1(name));
  if (child == nullptr) qFatal("no control %s", name);
  return child;
}

inline QColor TextColour(const QWidget* widget) {
  return widget->palette().color(QPalette::WindowText);
}

inline QColor Background(const QWidget* widget) {
  return widget->palette().color(QPalette::Window);
}

inline void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

// Runs drive on the modal window of type W that trigger opens, from inside
// the modal event loop. Afterwards the window is hidden whatever drive did,
// so a failed check inside drive cannot leave the test waiting forever.
// Returns whether such a window appeared.
template <class W>
bool WhileModal(const std::function<void()>& trigger, const std::function<void(W*)>& drive) {
  bool seen = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
    if (window == nullptr) return;
    poll.stop();
    seen = true;
    drive(window);
    if (window->isVisible()) window->close();
  });
  poll.start();
  trigger();
  poll.stop();
  return seen;
}

}  // namespace sample_test

#endif  // QUANDOR_TESTS_SAMPLE_WINDOW_DRIVER_H_
