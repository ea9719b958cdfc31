#include "frm_check.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app_icon.h"
#include "controls.h"
#include "frm_search.h"
#include "mod_declarations.h"
#include "tab_box.h"
#include "twips.h"

namespace sample {

namespace {

using modDeclarations::oBanking;
using modDeclarations::oCreditcard;

// Positions are the CardCompanies and ValidateStrictness values.
const QStringList kCardNames = {"VISA", "MasterCard", "Eurocard", "Amex", "Diners", "Discover"};
const QStringList kStrictnessNames = {"Niedrig", "Normal", "Strikt", "Restrikt"};

constexpr int kWindowWidth = 4860;
constexpr int kWindowHeight = 4395;

struct ModeTexts {
  const char* sFirstCaption;
  const char* sSecondCaption;
  const char* sInstruction;
  const char* sOtherTabTip;  // tool tip of the tab that leads to the other mode
};

const ModeTexts kModeTexts[2] = {
    {"BLZ", "Kontonummer",
     "Bitte geben Sie eine Kontonummer und Bankleitzahl ein und drücken Sie anschließend "
     "[validieren]",
     "Hier klicken um eine Kreditkartennummer zu validieren"},
    {"Kreditkarte", "Kartennummer",
     "Bitte wählen Sie eine Kreditkarte und geben Sie eine Kreditkartennummer ein, drücken Sie "
     "anschließend [validieren]",
     "Hier klicken um eine Bankverbindung zu validieren"},
};

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// A method as the Bundesbank names it ("00", "B8"); -1, no method, as it is.
QString MethodText(int nMethod) {
  return nMethod < 0 ? QString::number(nMethod) : FromUtf8(quandor::TestingMethodCode(nMethod));
}

std::string ToUtf8(const QString& text) { return text.toStdString(); }

}  // namespace

frmCheck::frmCheck(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("Quandor"));
  setWindowIcon(QuandorIcon());
  setFont(SansSerif());
  SetBackground(this, kWindowColour);
  resize(TwipsSize(kWindowWidth, kWindowHeight));
  createControls();

  oBanking = std::make_unique<quandor::Banking>();
  oCreditcard = std::make_unique<quandor::Creditcard>();
  fillLists();
  nMode = 0;
  switchMode(0);
}

frmCheck::~frmCheck() {
  oBanking.reset();
  oCreditcard.reset();
}

void frmCheck::createControls() {
  cmbStrictness = NewControl<QComboBox>(this, "cmbStrictness", TwipsRect(1440, 1920, 1575, 315));
  btnBankSearch = NewButton(this, "btnBankSearch", TwipsRect(3120, 1200, 1215, 255), "Bank suchen");

  // Tab 1 first: the tabs were laid out right to left.
  const char* tabNames[2] = {"optWhat_0", "optWhat_1"};
  const char* headerNames[2] = {"lblHeader_0", "lblHeader_1"};
  const char* headerTexts[2] = {"Bankverbindung", "Kreditkarte"};
  const int tabLefts[2] = {120, 1680};
  for (int i : {1, 0}) {
    optWhat[i] = NewControl<TabBox>(this, tabNames[i], TwipsRect(tabLefts[i], 120, 1575, 375));
    lblHeader[i] = NewLabel(optWhat[i], headerNames[i], TwipsRect(0, 105, 1575, 255),
                            QString::fromUtf8(headerTexts[i]));
    lblHeader[i]->setFont(SansSerif(8.25, true));
    lblHeader[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const auto index = static_cast<int16_t>(i);
    connect(optWhat[i], &TabBox::clicked, this, [this, index] { switchMode(index); });
  }

  cmbCard = NewControl<QComboBox>(this, "cmbCard", TwipsRect(1440, 1200, 1575, 315));
  btnSearchBank =
      NewButton(this, "btnSearchBank", TwipsRect(3120, 1575, 1215, 255), "Bank ermitteln");
  btnExit = NewButton(this, "btnExit", TwipsRect(3840, 3840, 735, 375), "Ende");
  btnInfo = NewButton(this, "btnInfo", TwipsRect(2880, 3840, 735, 375), "Info");
  btnCheck = NewButton(this, "btnCheck", TwipsRect(120, 3840, 1575, 375), "validieren");
  btnCheck->setDefault(true);
  txtKontonr = NewControl<QLineEdit>(this, "txtKontonr", TwipsRect(1440, 1560, 1575, 285));
  txtBLZ = NewControl<QLineEdit>(this, "txtBLZ", TwipsRect(1440, 1200, 1575, 285));
  lblGeprueft = NewLabel(this, "lblGeprueft", TwipsRect(240, 2280, 2295, 255));
  lblGeprueft->hide();
  Label1 = NewLabel(this, "Label1", TwipsRect(240, 1950, 1095, 255), "Formatprüfung:");

  // The frame around inputs and result, from (120, 480) to (4680, 3600).
  // The lines lie beneath every control, so the tabs stand on the frame.
  const QPoint topLeft = TwipsPoint(120, 480);
  const QPoint bottomRight = TwipsPoint(4680, 3600);
  const int width = bottomRight.x() - topLeft.x() + 1;
  const int height = bottomRight.y() - topLeft.y() + 1;
  const QRect lineRects[4] = {
      {topLeft.x(), topLeft.y(), width, 1},       // Line1, top
      {bottomRight.x(), topLeft.y(), 1, height},  // Line2, right
      {topLeft.x(), bottomRight.y(), width, 1},   // Line3, bottom
      {topLeft.x(), topLeft.y(), 1, height},      // Line4, left
  };
  const char* lineNames[4] = {"Line1", "Line2", "Line3", "Line4"};
  for (int i : {3, 2, 1, 0}) {
    lines[i] = NewControl<QFrame>(this, lineNames[i], lineRects[i]);
    SetBackground(lines[i], Qt::black);
    lines[i]->lower();
  }

  lblDoWhat = NewLabel(this, "lblDoWhat", TwipsRect(240, 600, 4455, 495));
  lblDoWhat->setWordWrap(true);
  lblBank = NewLabel(this, "lblBank", TwipsRect(360, 2520, 4095, 615));
  lblBank->setWordWrap(true);
  lblBank->hide();
  lblError = NewLabel(this, "lblError", TwipsRect(240, 3120, 4335, 375));
  lblError->setFont(SansSerif(8.25, true));
  lblError->setWordWrap(true);
  lblError->hide();
  lblBLZ = NewLabel(this, "lblBLZ", TwipsRect(240, 1200, 1095, 255));
  lblKonto = NewLabel(this, "lblKonto", TwipsRect(240, 1560, 1095, 255));

  const QList<QWidget*> focusOrder = {cmbCard,       txtBLZ,     txtKontonr,    btnCheck,
                                      btnInfo,       btnExit,    btnBankSearch, btnSearchBank,
                                      cmbStrictness, optWhat[0], optWhat[1]};
  for (qsizetype i = 1; i < focusOrder.size(); ++i) {
    setTabOrder(focusOrder[i - 1], focusOrder[i]);
  }

  connect(btnCheck, &QPushButton::clicked, this, &frmCheck::onCheck);
  connect(btnSearchBank, &QPushButton::clicked, this, &frmCheck::onSearchBank);
  connect(btnBankSearch, &QPushButton::clicked, this, &frmCheck::onBankSearch);
  connect(btnInfo, &QPushButton::clicked, this, &frmCheck::onInfo);
  connect(btnExit, &QPushButton::clicked, this, &frmCheck::onExit);
}

void frmCheck::fillLists() {
  cmbCard->addItems(kCardNames);
  cmbCard->setCurrentIndex(0);
  cmbStrictness->addItems(kStrictnessNames);
  cmbStrictness->setCurrentIndex(1);
}

void frmCheck::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    btnCheck->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void frmCheck::switchMode(int16_t m) {
  const int o = m == 0 ? 1 : 0;
  lblGeprueft->hide();
  lblBank->hide();
  lblError->hide();
  txtKontonr->clear();
  nMode = m;
  lblBank->clear();

  const ModeTexts& texts = kModeTexts[m];
  SetBackground(optWhat[o], kWindowColour);
  SetTextColour(lblHeader[o], Qt::black);
  optWhat[o]->setToolTip(QString::fromUtf8(texts.sOtherTabTip));
  lblHeader[o]->setToolTip(QString::fromUtf8(texts.sOtherTabTip));

  SetBackground(optWhat[m], kOrange);
  SetTextColour(lblHeader[m], kLightCyan);
  optWhat[m]->setToolTip({});
  lblHeader[m]->setToolTip({});

  cmbCard->setVisible(m == 1);
  txtBLZ->setVisible(m == 0);
  btnBankSearch->setVisible(m == 0);
  btnSearchBank->setVisible(m == 0);

  lblBLZ->setText(QString::fromUtf8(texts.sFirstCaption));
  lblKonto->setText(QString::fromUtf8(texts.sSecondCaption));
  lblDoWhat->setText(QString::fromUtf8(texts.sInstruction));

  if (m == 0) {
    txtBLZ->clear();
  } else {
    cmbCard->setCurrentIndex(0);
  }
}

void frmCheck::clearResult() {
  for (QLabel* label : {lblGeprueft, lblBank, lblError}) {
    label->hide();
    label->clear();
  }
}

void frmCheck::colourResult(quandor::ValidateError nLastError) {
  SetTextColour(lblError, nLastError == quandor::qdNoError ? QColor(Qt::black) : kDarkRed);
}

void frmCheck::showError(quandor::ValidateError nLastError, const std::string& sMessage) {
  colourResult(nLastError);
  lblError->setText(FromUtf8(sMessage));
  lblError->show();
}

void frmCheck::showBank(const QString& sBLZ) {
  lblError->clear();
  oBanking->Strictness(cmbStrictness->currentIndex());
  if (!oBanking->searchBank(ToUtf8(sBLZ))) {
    showError(oBanking->LastError(), oBanking->LastErrorString());
    return;
  }
  lblBank->show();
  lblBank->setText(FromUtf8(oBanking->BankName()) + " - " + FromUtf8(oBanking->BankCity()) + " (" +
                   FromUtf8(oBanking->BankNumber()) + ")");
  lblGeprueft->setText(QStringLiteral("Ermittelte Bankdaten:"));
  lblGeprueft->show();
  if (oBanking->LastError() != quandor::qdNoError) {
    showError(oBanking->LastError(), oBanking->LastErrorString());
  }
}

void frmCheck::onCheck() {
  clearResult();
  if (nMode == 0) {
    oBanking->Strictness(cmbStrictness->currentIndex());
    oBanking->Validate(ToUtf8(txtBLZ->text()), ToUtf8(txtKontonr->text()));
    lblGeprueft->setText(QStringLiteral("Kontovalidierung:"));
    lblGeprueft->show();
    lblBank->setText(FromUtf8(oBanking->BankName()) + " - " + FromUtf8(oBanking->BankCity()) +
                     " (" + FromUtf8(oBanking->BankNumber()) + " - Prüfmethode " +
                     MethodText(oBanking->UsedTestingMethod()) + ")\n" +
                     "Kontonummer: " + FromUtf8(oBanking->AccountNumber()));
    lblBank->show();
    showError(oBanking->LastError(), oBanking->LastErrorString());
  } else {
    oCreditcard->Strictness(cmbStrictness->currentIndex());
    oCreditcard->Validate(cmbCard->currentIndex(), ToUtf8(txtKontonr->text()));
    showError(oCreditcard->LastError(), oCreditcard->LastErrorString());
  }
}

void frmCheck::onSearchBank() {
  clearResult();
  showBank(txtBLZ->text());
}

void frmCheck::onBankSearch() {
  clearResult();
  QString s;
  {
    // The search window lives for one opening only, so each opening starts fresh.
    frmSearch search(this);
    s = search.display(this, cmbStrictness->currentIndex());
  }
  if (!s.isEmpty()) {
    txtBLZ->setText(s);
    showBank(s);
    lblGeprueft->setText(QStringLiteral("Bankdaten:"));
  }
}

void frmCheck::onInfo() { oBanking->ShowInfo(); }

// Ends the program at once; the objects go when the window is destroyed.
void frmCheck::onExit() { QCoreApplication::quit(); }

}  // namespace sample
