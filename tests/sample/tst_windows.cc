// The check window and the bank search window, driven by clicks and keys.
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "frm_check.h"
#include "frm_search.h"
#include "test_bank_file.h"
#include "twips.h"
#include "window_driver.h"

using sample::frmCheck;
using sample::frmSearch;
using sample_test::Background;
using sample_test::Child;
using sample_test::Click;
using sample_test::TextColour;
using sample_test::WhileModal;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kDarkRed(192, 0, 0);
const QColor kWindowColour(255, 224, 192);
const QColor kOrange(255, 128, 0);
const QColor kLightCyan(192, 255, 255);

const QString kTipToCard = QStringLiteral("Hier klicken um eine Kreditkartennummer zu validieren");
const QString kTipToBank = QStringLiteral("Hier klicken um eine Bankverbindung zu validieren");

// The list items of the search window, top to bottom.
QStringList Items(const QListWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
  return texts;
}

// As the platform delivers a double click: a click, then the second press as a double click.
void DoubleClickRow(QListWidget* list, int row) {
  const QPoint centre = list->visualItemRect(list->item(row)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

void ClickRow(QListWidget* list, int row) {
  const QRect place = list->visualItemRect(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

}  // namespace

class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(sample_test::WriteTestBankFile()); }

  void init() {
    check = std::make_unique<frmCheck>();
    check->show();
    QVERIFY(QTest::qWaitForWindowExposed(check.get()));
  }

  void cleanup() { check.reset(); }

  void startsInBankConnectionMode() {
    QCOMPARE(check->windowTitle(), QStringLiteral("Quandor"));
    QCOMPARE(Background(check.get()), kWindowColour);
    QVERIFY(Child<QWidget>(check.get(), "txtBLZ")->isVisible());
    QVERIFY(Child<QWidget>(check.get(), "btnBankSearch")->isVisible());
    QVERIFY(Child<QWidget>(check.get(), "btnSearchBank")->isVisible());
    QVERIFY(!Child<QWidget>(check.get(), "cmbCard")->isVisible());
    for (const char* hidden : {"lblGeprueft", "lblBank", "lblError"}) {
      QVERIFY2(!Child<QWidget>(check.get(), hidden)->isVisible(), hidden);
    }
    QCOMPARE(Child<QLabel>(check.get(), "lblBLZ")->text(), QStringLiteral("BLZ"));
    QCOMPARE(Child<QLabel>(check.get(), "lblKonto")->text(), QStringLiteral("Kontonummer"));
    QVERIFY(Child<QLabel>(check.get(), "lblDoWhat")->text().startsWith("Bitte geben Sie"));

    auto* cmbCard = Child<QComboBox>(check.get(), "cmbCard");
    QCOMPARE(cmbCard->count(), 6);
    QCOMPARE(cmbCard->itemText(3), QStringLiteral("Amex"));
    QCOMPARE(cmbCard->currentIndex(), 0);
    auto* cmbStrictness = Child<QComboBox>(check.get(), "cmbStrictness");
    QCOMPARE(cmbStrictness->count(), 4);
    QCOMPARE(cmbStrictness->currentText(), QStringLiteral("Normal"));
    QVERIFY(Child<QPushButton>(check.get(), "btnCheck")->isDefault());

    QCOMPARE(Background(Child<QWidget>(check.get(), "optWhat_0")), kOrange);
    QCOMPARE(TextColour(Child<QWidget>(check.get(), "lblHeader_0")), kLightCyan);
    QCOMPARE(Background(Child<QWidget>(check.get(), "optWhat_1")), kWindowColour);
    QCOMPARE(TextColour(Child<QWidget>(check.get(), "lblHeader_1")), kBlack);
    QCOMPARE(Child<QWidget>(check.get(), "optWhat_1")->toolTip(), kTipToCard);
    QCOMPARE(Child<QWidget>(check.get(), "lblHeader_1")->toolTip(), kTipToCard);
    QVERIFY(Child<QWidget>(check.get(), "optWhat_0")->toolTip().isEmpty());
  }

  // The places are twips turned into pixels at the screen's logical resolution.
  void placesFollowTheScreenResolution() {
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    auto px = [dpi](int twips) { return qRound(twips * dpi / 1440.0); };
    QCOMPARE(check->size(), QSize(px(4860), px(4395)));
    QCOMPARE(Child<QWidget>(check.get(), "btnExit")->geometry(),
             QRect(px(3840), px(3840), px(735), px(375)));
    // txtBLZ and cmbCard share one place; the mode shows one of them.
    QCOMPARE(Child<QWidget>(check.get(), "txtBLZ")->pos(),
             Child<QWidget>(check.get(), "cmbCard")->pos());
  }

  void focusOrder() {
    Click(Child<QWidget>(check.get(), "optWhat_1"));  // makes every input visible
    const char* order[] = {"cmbCard",       "txtKontonr", "btnCheck",  "btnInfo", "btnExit",
                           "cmbStrictness", "optWhat_0",  "optWhat_1", "cmbCard"};
    Child<QWidget>(check.get(), order[0])->setFocus();
    for (std::size_t i = 1; i < std::size(order); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(order[i]));
    }
  }

  void validateConnection_data() {
    QTest::addColumn<QString>("strictness");
    QTest::addColumn<QString>("blz");
    QTest::addColumn<QString>("konto");
    QTest::addColumn<QString>("bankLines");  // empty: not compared
    QTest::addColumn<QString>("message");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("valid") << "Normal"
                           << "10020030"
                           << "123456782"
                           << "Zentralbank - Berlin (100 200 30 - Prüfmethode 00)\n"
                              "Kontonummer: 123456782"
                           << "Kein Fehler" << kBlack;
    QTest::newRow("wrong check digit") << "Normal"
                                       << "100 200 30"
                                       << "123456789"
                                       << "Zentralbank - Berlin (100 200 30 - Prüfmethode 00)\n"
                                          "Kontonummer: 123456789"
                                       << "Kontonummer ist falsch" << kDarkRed;
    QTest::newRow("unknown bank code") << "Normal"
                                       << "99999999"
                                       << "123456782"
                                       << " -  (999 999 99 - Prüfmethode -1)\n"
                                          "Kontonummer: 123456782"
                                       << "Bankleitzahl nicht bekannt" << kDarkRed;
    QTest::newRow("strictness reaches the check")
        << "Strikt"
        << "100-200-30"
        << "123456782" << QString() << "Bankleitzahl hat falsches Format" << kDarkRed;
  }

  void validateConnection() {
    QFETCH(QString, strictness);
    QFETCH(QString, blz);
    QFETCH(QString, konto);
    QFETCH(QString, bankLines);
    QFETCH(QString, message);
    QFETCH(QColor, colour);
    Child<QComboBox>(check.get(), "cmbStrictness")->setCurrentText(strictness);
    QTest::keyClicks(Child<QWidget>(check.get(), "txtBLZ"), blz);
    QTest::keyClicks(Child<QWidget>(check.get(), "txtKontonr"), konto);
    Click(Child<QWidget>(check.get(), "btnCheck"));

    auto* lblGeprueft = Child<QLabel>(check.get(), "lblGeprueft");
    auto* lblBank = Child<QLabel>(check.get(), "lblBank");
    auto* lblError = Child<QLabel>(check.get(), "lblError");
    QVERIFY(lblGeprueft->isVisible());
    QCOMPARE(lblGeprueft->text(), QStringLiteral("Kontovalidierung:"));
    QVERIFY(lblBank->isVisible());
    if (!bankLines.isEmpty()) QCOMPARE(lblBank->text(), bankLines);
    QVERIFY(lblError->isVisible());
    QCOMPARE(lblError->text(), message);
    QCOMPARE(TextColour(lblError), colour);
  }

  // Enter in an input presses the default button "validieren".
  void enterValidates() {
    QTest::keyClicks(Child<QWidget>(check.get(), "txtBLZ"), "10020030");
    auto* txtKontonr = Child<QWidget>(check.get(), "txtKontonr");
    QTest::keyClicks(txtKontonr, "123456782");
    QTest::keyClick(txtKontonr, Qt::Key_Return);
    QCOMPARE(Child<QLabel>(check.get(), "lblError")->text(), QStringLiteral("Kein Fehler"));
  }

  void validateCard_data() {
    QTest::addColumn<QString>("strictness");
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Amex, 15 digits") << "Normal"
                                     << "Amex"
                                     << "378282246310005"
                                     << "Kein Fehler" << kBlack;
    QTest::newRow("Amex, 16 digits") << "Normal"
                                     << "Amex"
                                     << "3782822463100051"
                                     << "Kreditkartennummer ist falsch" << kDarkRed;
    QTest::newRow("Visa at the lowest strictness") << "Niedrig"
                                                   << "VISA"
                                                   << "4111 1111 1111 1111x"
                                                   << "Kein Fehler" << kBlack;
    QTest::newRow("Visa with a letter, strict")
        << "Strikt"
        << "VISA"
        << "4111 1111 1111 1111x"
        << "Kreditkartennummer hat falsches Format" << kDarkRed;
  }

  void validateCard() {
    QFETCH(QString, strictness);
    QFETCH(QString, card);
    QFETCH(QString, number);
    QFETCH(QString, message);
    QFETCH(QColor, colour);
    Click(Child<QWidget>(check.get(), "optWhat_1"));
    Child<QComboBox>(check.get(), "cmbStrictness")->setCurrentText(strictness);
    Child<QComboBox>(check.get(), "cmbCard")->setCurrentText(card);
    QTest::keyClicks(Child<QWidget>(check.get(), "txtKontonr"), number);
    Click(Child<QWidget>(check.get(), "btnCheck"));

    auto* lblError = Child<QLabel>(check.get(), "lblError");
    QVERIFY(lblError->isVisible());
    QCOMPARE(lblError->text(), message);
    QCOMPARE(TextColour(lblError), colour);
    QVERIFY(!Child<QWidget>(check.get(), "lblGeprueft")->isVisible());
    QVERIFY(!Child<QWidget>(check.get(), "lblBank")->isVisible());
  }

  void modeSwitchClearsInputs() {
    auto* txtBLZ = Child<QLineEdit>(check.get(), "txtBLZ");
    auto* txtKontonr = Child<QLineEdit>(check.get(), "txtKontonr");
    auto* cmbCard = Child<QComboBox>(check.get(), "cmbCard");
    QTest::keyClicks(txtBLZ, "10020030");
    QTest::keyClicks(txtKontonr, "123456782");
    Click(Child<QWidget>(check.get(), "btnCheck"));

    // To card mode by its caption label, which passes the click to its tab.
    Click(Child<QWidget>(check.get(), "lblHeader_1"));
    QVERIFY(txtKontonr->text().isEmpty());
    QVERIFY(!Child<QWidget>(check.get(), "lblError")->isVisible());
    QVERIFY(!Child<QWidget>(check.get(), "lblBank")->isVisible());
    QVERIFY(cmbCard->isVisible());
    QVERIFY(!txtBLZ->isVisible());
    QVERIFY(!Child<QWidget>(check.get(), "btnSearchBank")->isVisible());
    QCOMPARE(Child<QLabel>(check.get(), "lblBLZ")->text(), QStringLiteral("Kreditkarte"));
    QCOMPARE(Child<QLabel>(check.get(), "lblKonto")->text(), QStringLiteral("Kartennummer"));
    QCOMPARE(Background(Child<QWidget>(check.get(), "optWhat_1")), kOrange);
    QCOMPARE(Background(Child<QWidget>(check.get(), "optWhat_0")), kWindowColour);
    QCOMPARE(Child<QWidget>(check.get(), "optWhat_0")->toolTip(), kTipToBank);
    QVERIFY(Child<QWidget>(check.get(), "lblHeader_1")->toolTip().isEmpty());

    // Clicking the current tab again starts the mode afresh.
    cmbCard->setCurrentIndex(3);
    QTest::keyClicks(txtKontonr, "378282246310005");
    Click(Child<QWidget>(check.get(), "optWhat_1"));
    QVERIFY(txtKontonr->text().isEmpty());
    QCOMPARE(cmbCard->currentIndex(), 0);

    QTest::keyClicks(txtKontonr, "123");
    Click(Child<QWidget>(check.get(), "optWhat_0"));
    QVERIFY(txtKontonr->text().isEmpty());
    QVERIFY(txtBLZ->text().isEmpty());
    QVERIFY(txtBLZ->isVisible());
  }

  // Space on a focused tab switches like a click.
  void tabsTakeTheKeyboard() {
    auto* tab = Child<QWidget>(check.get(), "optWhat_1");
    tab->setFocus();
    QTest::keyClick(tab, Qt::Key_Space);
    QVERIFY(Child<QWidget>(check.get(), "cmbCard")->isVisible());
  }

  void findBankByCode_data() {
    QTest::addColumn<QString>("blz");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("text");  // the bank line, or the message when not found
    QTest::newRow("known") << "37040044" << true << "Kölner Bank - Köln (370 400 44)";
    QTest::newRow("unknown") << "37040045" << false << "Bankleitzahl nicht bekannt";
    QTest::newRow("too short") << "3704004" << false << "Bankleitzahl hat falsche Anzahl Stellen";
  }

  void findBankByCode() {
    QFETCH(QString, blz);
    QFETCH(bool, found);
    QFETCH(QString, text);
    QTest::keyClicks(Child<QWidget>(check.get(), "txtBLZ"), blz);
    Click(Child<QWidget>(check.get(), "btnSearchBank"));

    auto* lblGeprueft = Child<QLabel>(check.get(), "lblGeprueft");
    auto* lblBank = Child<QLabel>(check.get(), "lblBank");
    auto* lblError = Child<QLabel>(check.get(), "lblError");
    if (found) {
      QVERIFY(lblGeprueft->isVisible());
      QCOMPARE(lblGeprueft->text(), QStringLiteral("Ermittelte Bankdaten:"));
      QVERIFY(lblBank->isVisible());
      QCOMPARE(lblBank->text(), text);
      QVERIFY(!lblError->isVisible());
    } else {
      QVERIFY(!lblGeprueft->isVisible());
      QVERIFY(!lblBank->isVisible());
      QVERIFY(lblError->isVisible());
      QCOMPARE(lblError->text(), text);
      QCOMPARE(TextColour(lblError), kDarkRed);
    }
  }

  void searchWindowStartsFresh() {
    const bool seen = WhileModal<frmSearch>(openSearch(), [this](frmSearch* search) {
      QCOMPARE(search->windowTitle(), QStringLiteral("Quandor Bankensuche"));
      QVERIFY(search->isModal());
      const int offset = sample::TwipsToPixels(320);
      QCOMPARE(search->pos(), check->pos() + QPoint(offset, offset));
      QVERIFY(Child<QLineEdit>(search, "txtSearch")->text().isEmpty());
      for (const char* box : {"Check1", "Check2", "Check3"}) {
        QVERIFY2(Child<QAbstractButton>(search, box)->isChecked(), box);
      }
      QVERIFY(!Child<QWidget>(search, "btnTakeOver")->isEnabled());
      QVERIFY(Child<QPushButton>(search, "btnSearch")->isDefault());
      QVERIFY(!Child<QWidget>(search, "lblSearchActive")->isVisible());
      QVERIFY(!Child<QWidget>(search, "lblMessage")->isVisible());
      const char* order[] = {"txtSearch", "btnSearch", "lstBanks", "btnExit",
                             "Check1",    "Check2",    "Check3",   "txtSearch"};
      Child<QWidget>(search, order[0])->setFocus();
      for (std::size_t i = 1; i < std::size(order); ++i) {  // btnTakeOver is still disabled
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(order[i]));
      }
      // Leave something behind that the next opening must not show.
      QTest::keyClicks(Child<QWidget>(search, "txtSearch"), "Volksbank");
      Click(Child<QWidget>(search, "btnSearch"));
      ClickRow(Child<QListWidget>(search, "lstBanks"), 0);
      Click(Child<QWidget>(search, "btnExit"));
    });
    QVERIFY(seen);
    QVERIFY(WhileModal<frmSearch>(openSearch(), [](frmSearch* search) {
      QVERIFY(Child<QLineEdit>(search, "txtSearch")->text().isEmpty());
      QCOMPARE(Child<QListWidget>(search, "lstBanks")->count(), 0);
      QVERIFY(!Child<QWidget>(search, "btnTakeOver")->isEnabled());
    }));
  }

  // What the check boxes paint, not just their palette: a fill in any other
  // colour than the window's lies as a band across the frame around them.
  void searchCheckBoxesStandOnTheWindowColour() {
    QVERIFY(WhileModal<frmSearch>(openSearch(), [](frmSearch* search) {
      for (const char* name : {"Check1", "Check2", "Check3"}) {
        auto* box = Child<QWidget>(search, name);
        const QImage painted = box->grab().toImage();
        QCOMPARE(painted.pixelColor(painted.width() - 1, 0), kWindowColour);
        QCOMPARE(painted.pixelColor(painted.width() - 1, painted.height() - 1), kWindowColour);
      }
    }));
  }

  void search_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("untick");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("one hit") << "Hafen" << QStringList{} << "1 Bank gefunden"
                             << QStringList{"Hafenbank (Hamburg)"};
    QTest::newRow("several hits, alphabetical")
        << "berlin" << QStringList{} << "3 Banken gefunden"
        << QStringList{"Aktienbank (Berlin)", "Musterbank (Berlin)", "Zentralbank (Berlin)"};
    QTest::newRow("no hit") << "Nirgendwo" << QStringList{} << "Keine passende Bank gefunden"
                            << QStringList{};
    QTest::newRow("bank code only") << "300400" << QStringList{"Check2", "Check3"}
                                    << "1 Bank gefunden" << QStringList{"Volksbank (Aachen)"};
    QTest::newRow("city only") << "Zentral" << QStringList{"Check1", "Check2"}
                               << "Keine passende Bank gefunden" << QStringList{};
    // With no box ticked the whole line is searched, the BIC included.
    QTest::newRow("no box ticked") << "HAFNQQ" << QStringList{"Check1", "Check2", "Check3"}
                                   << "1 Bank gefunden" << QStringList{"Hafenbank (Hamburg)"};
    QTest::newRow("fields only") << "HAFNQQ" << QStringList{} << "Keine passende Bank gefunden"
                                 << QStringList{};
  }

  void search() {
    QFETCH(QString, text);
    QFETCH(QStringList, untick);
    QFETCH(QString, message);
    QFETCH(QStringList, items);
    QVERIFY(WhileModal<frmSearch>(openSearch(), [&](frmSearch* search) {
      for (const QString& box : untick) Click(Child<QWidget>(search, qPrintable(box)));
      QTest::keyClicks(Child<QWidget>(search, "txtSearch"), text);
      QTest::keyClick(Child<QWidget>(search, "txtSearch"), Qt::Key_Return);
      auto* lblMessage = Child<QLabel>(search, "lblMessage");
      QVERIFY(lblMessage->isVisible());
      QVERIFY(!Child<QWidget>(search, "lblSearchActive")->isVisible());
      QCOMPARE(lblMessage->text(), message);
      QCOMPARE(Items(Child<QListWidget>(search, "lstBanks")), items);
    }));
  }

  // The indicator is painted before the search starts, and gone afterwards.
  void searchShowsItsIndicator() {
    QVERIFY(WhileModal<frmSearch>(openSearch(), [](frmSearch* search) {
      auto* indicator = Child<QLabel>(search, "lblSearchActive");
      QCOMPARE(indicator->text(), QStringLiteral("Suche läuft ..."));
      QCOMPARE(TextColour(indicator), kDarkRed);
      int paints = 0;
      PaintCounter counter(&paints);
      indicator->installEventFilter(&counter);
      QTest::keyClicks(Child<QWidget>(search, "txtSearch"), "Volksbank");
      Click(Child<QWidget>(search, "btnSearch"));
      QVERIFY(paints > 0);
      QVERIFY(!indicator->isVisible());
    }));
  }

  // An empty search text empties the list and shows the last message again.
  void emptySearchText() {
    QVERIFY(WhileModal<frmSearch>(openSearch(), [](frmSearch* search) {
      auto* txtSearch = Child<QLineEdit>(search, "txtSearch");
      QTest::keyClicks(txtSearch, "Hafen");
      Click(Child<QWidget>(search, "btnSearch"));
      txtSearch->clear();
      Click(Child<QWidget>(search, "btnSearch"));
      QCOMPARE(Child<QListWidget>(search, "lstBanks")->count(), 0);
      QVERIFY(Child<QWidget>(search, "lblMessage")->isVisible());
      QCOMPARE(Child<QLabel>(search, "lblMessage")->text(), QStringLiteral("1 Bank gefunden"));
    }));
  }

  // Sorting by text puts "Volksbank (Aachen)" first, though the component
  // found the Zossen bank first: the take-over must follow the item.
  void takeOver_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("byDoubleClick");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("bankLine");
    QTest::newRow("first row, double click") << 0 << true << "30040050"
                                             << "Volksbank - Aachen (300 400 50)";
    QTest::newRow("second row, double click") << 1 << true << "10020040"
                                              << "Volksbank - Zossen (100 200 40)";
    QTest::newRow("first row, button") << 0 << false << "30040050"
                                       << "Volksbank - Aachen (300 400 50)";
  }

  void takeOver() {
    QFETCH(int, row);
    QFETCH(bool, byDoubleClick);
    QFETCH(QString, code);
    QFETCH(QString, bankLine);
    QVERIFY(WhileModal<frmSearch>(openSearch(), [&](frmSearch* search) {
      QTest::keyClicks(Child<QWidget>(search, "txtSearch"), "Volksbank");
      Click(Child<QWidget>(search, "btnSearch"));
      auto* lstBanks = Child<QListWidget>(search, "lstBanks");
      QCOMPARE(Items(lstBanks), (QStringList{"Volksbank (Aachen)", "Volksbank (Zossen)"}));
      if (byDoubleClick) {
        DoubleClickRow(lstBanks, row);
      } else {
        ClickRow(lstBanks, row);
        QVERIFY(Child<QWidget>(search, "btnTakeOver")->isEnabled());
        Click(Child<QWidget>(search, "btnTakeOver"));
      }
      QVERIFY(!search->isVisible());
      QCOMPARE(search->selectedValue(), code);
    }));
    QCOMPARE(Child<QLineEdit>(check.get(), "txtBLZ")->text(), code);
    auto* lblGeprueft = Child<QLabel>(check.get(), "lblGeprueft");
    QVERIFY(lblGeprueft->isVisible());
    QCOMPARE(lblGeprueft->text(), QStringLiteral("Bankdaten:"));
    QCOMPARE(Child<QLabel>(check.get(), "lblBank")->text(), bankLine);
  }

  void closeAfterSelectionChangesNothing() {
    QTest::keyClicks(Child<QWidget>(check.get(), "txtBLZ"), "37040044");
    Click(Child<QWidget>(check.get(), "btnSearchBank"));
    QVERIFY(Child<QWidget>(check.get(), "lblBank")->isVisible());

    QVERIFY(WhileModal<frmSearch>(openSearch(), [](frmSearch* search) {
      QTest::keyClicks(Child<QWidget>(search, "txtSearch"), "Volksbank");
      Click(Child<QWidget>(search, "btnSearch"));
      ClickRow(Child<QListWidget>(search, "lstBanks"), 1);
      Click(Child<QWidget>(search, "btnExit"));
      QVERIFY(search->selectedValue().isEmpty());
    }));
    QCOMPARE(Child<QLineEdit>(check.get(), "txtBLZ")->text(), QStringLiteral("37040044"));
    for (const char* hidden : {"lblGeprueft", "lblBank", "lblError"}) {
      QVERIFY2(!Child<QWidget>(check.get(), hidden)->isVisible(), hidden);
    }
  }

  // After a new search has emptied the list, "übernehmen" hands nothing over.
  void takeOverWithoutSelection() {
    QVERIFY(WhileModal<frmSearch>(openSearch(), [](frmSearch* search) {
      QTest::keyClicks(Child<QWidget>(search, "txtSearch"), "Volksbank");
      Click(Child<QWidget>(search, "btnSearch"));
      ClickRow(Child<QListWidget>(search, "lstBanks"), 0);
      Click(Child<QWidget>(search, "btnSearch"));
      Child<QListWidget>(search, "lstBanks")->clearSelection();
      QVERIFY(Child<QWidget>(search, "btnTakeOver")->isEnabled());
      Click(Child<QWidget>(search, "btnTakeOver"));
      QVERIFY(search->selectedValue().isEmpty());
    }));
    QVERIFY(Child<QLineEdit>(check.get(), "txtBLZ")->text().isEmpty());
  }

  // A record short of fields makes the search fail; the program says so and
  // goes on instead of ending.
  void malformedRecordIsReported() {
    QVERIFY(WhileModal<frmSearch>(openSearch(), [](frmSearch* search) {
      QTest::keyClicks(Child<QWidget>(search, "txtSearch"), "Bruchstadt");
      const bool reported = WhileModal<QMessageBox>(
          [search] { Click(Child<QWidget>(search, "btnSearch")); }, [](QMessageBox*) {});
      QVERIFY(reported);
      QVERIFY(!Child<QWidget>(search, "lblSearchActive")->isVisible());
      QVERIFY(search->isVisible());
    }));
  }

  void infoShowsTheInfoBoxInCardMode() {
    Click(Child<QWidget>(check.get(), "optWhat_1"));
    const bool shown = WhileModal<QWidget>(
        [this] { Click(Child<QWidget>(check.get(), "btnInfo")); }, [](QWidget*) {});
    QVERIFY(shown);
  }

 private:
  class PaintCounter : public QObject {
   public:
    explicit PaintCounter(int* paints) : paints_(paints) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++*paints_;
      return QObject::eventFilter(watched, event);
    }

   private:
    int* paints_;
  };

  std::function<void()> openSearch() {
    return [this] { Click(Child<QWidget>(check.get(), "btnBankSearch")); };
  }

  std::unique_ptr<frmCheck> check;
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
