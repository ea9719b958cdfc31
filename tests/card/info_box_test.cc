// The info box as a GUI host sees it: run under QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "info_box_watch.h"
#include "quandor/banking.h"
#include "quandor/creditcard.h"

namespace {

int Pixels(int twips, qreal dpi) { return qRound(twips * dpi / 1440.0); }

bool TextFits(const QLabel& label) {
  const QRect box = label.contentsRect();
  const int flags = label.wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
  const QRect needed =
      label.fontMetrics().boundingRect(QRect(0, 0, box.width(), 10000), flags, label.text());
  return needed.width() <= box.width() && needed.height() <= box.height();
}

}  // namespace

class InfoBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheBuildsVersionData() {
    quandor::Creditcard card;
    InfoBoxSighting seen;
    PressOkWhenShown(&seen);
    card.ShowInfo();

    QVERIFY(seen.window);
    QVERIFY(seen.modal);
    QCOMPARE(seen.title, QStringLiteral("Quandor Info"));
    const QStringList expected{
        QStringLiteral("Prüfziffer-Software"),
        QStringLiteral(QUANDOR_TEST_FILE_DESCRIPTION),
        QStringLiteral("Copyright " QUANDOR_TEST_COPYRIGHT),
        QStringLiteral("Version: " QUANDOR_TEST_PROJECT_VERSION),
        QStringLiteral(QUANDOR_TEST_COMMENTS),
        QStringLiteral("Bankleitzahlen: 08.06.2026 bis 06.09.2026 (veraltet)"),
    };
    QCOMPARE(seen.labels, expected);
    QCOMPARE(seen.button, QStringLiteral("OK"));
    QCOMPARE(QString::fromStdString(card.Version()), QStringLiteral(QUANDOR_TEST_PROJECT_VERSION));
  }

  void isLaidOutInTwipsAtTheScreensDpi() {
    quandor::Creditcard card;
    InfoBoxSighting seen;
    PressOkWhenShown(&seen);
    card.ShowInfo();
    QVERIFY(seen.window);

    const QWidget& box = *seen.window;
    const qreal dx = box.screen()->logicalDotsPerInchX();
    const qreal dy = box.screen()->logicalDotsPerInchY();
    QCOMPARE(box.size(), QSize(Pixels(4680, dx), Pixels(3435, dy)));
    const auto* label4 = box.findChild<QLabel*>(QStringLiteral("Label4"));
    QVERIFY(label4 != nullptr);
    QCOMPARE(label4->geometry(),
             QRect(Pixels(120, dx), Pixels(1800, dy), Pixels(4335, dx), Pixels(255, dy)));
    const auto* ok = box.findChild<QPushButton*>(QStringLiteral("btnOK"));
    QVERIFY(ok != nullptr);
    QCOMPARE(ok->geometry(),
             QRect(Pixels(1320, dx), Pixels(2880, dy), Pixels(1815, dx), Pixels(375, dy)));

    // Nominal fonts, made smaller only where a wide platform face would cut the text off.
    for (int i = 1; i <= 6; ++i) {
      const auto* label = box.findChild<QLabel*>(QStringLiteral("Label%1").arg(i));
      QVERIFY(label != nullptr);
      QVERIFY2(TextFits(*label), qPrintable(label->text()));
    }
    const QFont title = box.findChild<QLabel*>(QStringLiteral("Label1"))->font();
    QVERIFY(title.bold());
    QVERIFY(title.pointSizeF() <= 24.0);
    QVERIFY(title.pointSizeF() > 12.0);
    const QFont description = box.findChild<QLabel*>(QStringLiteral("Label2"))->font();
    QCOMPARE(description.pointSizeF(), 8.25);
    QVERIFY(description.bold());
    QCOMPARE(label4->font(), box.font());
  }

  void okHidesAndEveryObjectOfTheThreadReusesTheWindow() {
    quandor::Creditcard card;
    InfoBoxSighting first;
    PressOkWhenShown(&first);
    card.ShowInfo();
    QVERIFY(first.window);
    QVERIFY(first.hidden_by_ok);
    QVERIFY(!first.window->isVisible());

    quandor::Banking banking;
    InfoBoxSighting second;
    PressOkWhenShown(&second);
    banking.ShowInfo();
    QVERIFY(second.window);
    QCOMPARE(second.window.data(), first.window.data());
    QCOMPARE(second.labels, first.labels);
    QVERIFY(!second.window->isVisible());
  }
};

QTEST_MAIN(InfoBoxTest)
#include "info_box_test.moc"
