#include "info_box_watch.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QWidget* VisibleInfoBox() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String("frmInfo") && window->isVisible()) return window;
  }
  return nullptr;
}

void Record(QWidget* box, InfoBoxSighting* seen) {
  seen->window = box;
  seen->modal = box->isModal();
  seen->title = box->windowTitle();
  for (int i = 1; i <= 6; ++i) {
    const auto* label = box->findChild<QLabel*>(QStringLiteral("Label%1").arg(i));
    seen->labels << (label != nullptr ? label->text() : QStringLiteral("<no label>"));
  }
  auto* ok = box->findChild<QPushButton*>(QStringLiteral("btnOK"));
  if (ok == nullptr) return;
  seen->button = ok->text();
  QTest::mouseClick(ok, Qt::LeftButton);
  seen->hidden_by_ok = !box->isVisible();
}

}  // namespace

void PressOkWhenShown(InfoBoxSighting* seen) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, seen] {
    QWidget* box = VisibleInfoBox();
    if (box == nullptr) return;
    poll->stop();
    poll->deleteLater();
    Record(box, seen);
    // A window that OK failed to hide would keep the test waiting for good.
    if (auto* dialog = qobject_cast<QDialog*>(box); dialog != nullptr && box->isVisible()) {
      dialog->reject();
    }
  });
  poll->start();
}
