// The exported entry point: finds or makes the QApplication, then shows the
// calling thread's info box.
#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QThread>

#include <mutex>
#include <type_traits>

#include "display_check.h"
#include "info_dialog.h"
#include "infobox_abi.h"

namespace quandor::infobox {
namespace {

// The host's QApplication, or one made here when the host has no Qt
// application at all and a display is reachable. Null when widgets cannot be
// shown from the calling thread.
QApplication* WidgetApplication() {
  static std::mutex making;
  const std::lock_guard lock(making);
  if (QCoreApplication* existing = QCoreApplication::instance(); existing != nullptr) {
    // A QCoreApplication or QGuiApplication cannot show widgets, and widgets
    // live only in the thread of the application.
    auto* widgets = qobject_cast<QApplication*>(existing);
    return widgets != nullptr && widgets->thread() == QThread::currentThread() ? widgets : nullptr;
  }
  if (!DisplayAvailable()) return nullptr;
  // Kept for the life of the process, with argv: the thread's info box
  // outlives each ShowInfo and must not outlive its application.
  static int argc = 1;
  static char name[] = "quandor";
  static char* argv[] = {name, nullptr};
  return new QApplication(argc, argv);
}

// The calling thread's info box, made on first use. It is deliberately never
// deleted: at exit the host may already have destroyed its QApplication, and
// deleting a widget after that is not safe.
InfoDialog& ThreadInfoDialog(QApplication* app) {
  thread_local QPointer<InfoDialog> dialog;
  thread_local QPointer<QApplication> made_in;
  if (dialog.isNull() || made_in != app) {
    // After the host replaced its application the old window is unusable.
    dialog = new InfoDialog;
    made_in = app;
  }
  return *dialog;
}

}  // namespace
}  // namespace quandor::infobox

extern "C" __attribute__((visibility("default"))) int quandor_infobox_show(
    const QuandorInfoTexts* texts) {
  static_assert(std::is_same_v<decltype(&quandor_infobox_show), QuandorShowInfoBoxFn*>);
  using namespace quandor::infobox;
  if (texts == nullptr) return 0;
  QApplication* app = WidgetApplication();
  if (app == nullptr) return 0;
  ThreadInfoDialog(app).display(*texts);
  return 1;
}
