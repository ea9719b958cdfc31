// The windows when the bank code file cannot be found.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <memory>

#include "frm_check.h"
#include "frm_search.h"
#include "window_driver.h"

using sample::frmCheck;
using sample::frmSearch;
using sample_test::Child;
using sample_test::Click;
using sample_test::TextColour;

class MissingFileTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    check = std::make_unique<frmCheck>();
    check->show();
    QVERIFY(QTest::qWaitForWindowExposed(check.get()));
  }

  void cleanup() { check.reset(); }

  // The object reports the missing file from its creation on.
  void validateBeforeAnyOtherAction() {
    QTest::keyClicks(Child<QWidget>(check.get(), "txtBLZ"), "10020030");
    QTest::keyClicks(Child<QWidget>(check.get(), "txtKontonr"), "123456782");
    Click(Child<QWidget>(check.get(), "btnCheck"));
    auto* lblError = Child<QLabel>(check.get(), "lblError");
    QVERIFY(lblError->isVisible());
    QCOMPARE(lblError->text(), QStringLiteral("Bankleitzahlendatei nicht gefunden"));
    QCOMPARE(TextColour(lblError), QColor(192, 0, 0));
    QCOMPARE(Child<QLabel>(check.get(), "lblBank")->text(),
             QStringLiteral(" -  ( - Prüfmethode -1)\nKontonummer: "));
  }

  void findBankByCode() {
    QTest::keyClicks(Child<QWidget>(check.get(), "txtBLZ"), "10020030");
    Click(Child<QWidget>(check.get(), "btnSearchBank"));
    QCOMPARE(Child<QLabel>(check.get(), "lblError")->text(),
             QStringLiteral("Bankleitzahl nicht bekannt"));
    QVERIFY(!Child<QWidget>(check.get(), "lblBank")->isVisible());
  }

  void searchFindsNothing() {
    QVERIFY(sample_test::WhileModal<frmSearch>(
        [this] { Click(Child<QWidget>(check.get(), "btnBankSearch")); },
        [](frmSearch* search) {
          QTest::keyClicks(Child<QWidget>(search, "txtSearch"), "Berlin");
          Click(Child<QWidget>(search, "btnSearch"));
          QCOMPARE(Child<QLabel>(search, "lblMessage")->text(),
                   QStringLiteral("Keine passende Bank gefunden"));
          QCOMPARE(Child<QListWidget>(search, "lstBanks")->count(), 0);
        }));
  }

 private:
  std::unique_ptr<frmCheck> check;
};

QTEST_MAIN(MissingFileTest)
#include "tst_missing_file.moc"
