// Renders both windows of the sample program into PNG files for the README:
//   make_screenshots <output directory>
// Run under QT_QPA_PLATFORM=offscreen; the bank code file is the component's.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "frm_check.h"
#include "frm_search.h"

namespace {

bool Save(QWidget* window, const QString& path) {
  QApplication::processEvents();
  const bool ok = window->grab().save(path);
  std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

template <class W>
W* Child(QWidget* window, const char* name) {
  return window->findChild<W*>(QString::fromLatin1(name));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_screenshots <output directory>\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  bool ok = true;

  sample::frmCheck check;
  check.show();
  Child<QLineEdit>(&check, "txtBLZ")->setText("37050198");
  Child<QLineEdit>(&check, "txtKontonr")->setText("123456782");
  Child<QPushButton>(&check, "btnCheck")->click();
  ok = Save(&check, out.filePath("frmCheck.png")) && ok;

  QTest::mouseClick(Child<QWidget>(&check, "optWhat_1"), Qt::LeftButton);
  Child<QComboBox>(&check, "cmbCard")->setCurrentIndex(3);
  Child<QLineEdit>(&check, "txtKontonr")->setText("3782 822463 10005");
  Child<QPushButton>(&check, "btnCheck")->click();
  ok = Save(&check, out.filePath("frmCheck-card.png")) && ok;
  QTest::mouseClick(Child<QWidget>(&check, "optWhat_0"), Qt::LeftButton);

  // The search window is modal: drive it from the event loop that display() runs.
  QTimer::singleShot(0, [&ok, &out] {
    auto* search = qobject_cast<sample::frmSearch*>(QApplication::activeModalWidget());
    if (search == nullptr) {
      ok = false;
      return;
    }
    Child<QLineEdit>(search, "txtSearch")->setText("Sparkasse K");
    Child<QPushButton>(search, "btnSearch")->click();
    auto* list = Child<QListWidget>(search, "lstBanks");
    if (list->count() > 0) list->setCurrentRow(0);
    ok = Save(search, out.filePath("frmSearch.png")) && ok;
    Child<QPushButton>(search, "btnExit")->click();
  });
  Child<QPushButton>(&check, "btnBankSearch")->click();
  return ok ? 0 : 1;
}
