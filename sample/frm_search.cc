#include "frm_search.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <exception>

#include "controls.h"
#include "mod_declarations.h"
#include "twips.h"

namespace sample {

namespace {

using modDeclarations::oBanking;

constexpr int kWindowWidth = 4530;
constexpr int kWindowHeight = 4230;
constexpr int kOffsetFromParent = 320;

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QRect& place, const QString& text) {
  auto* box = NewControl<QCheckBox>(parent, name, place);
  box->setText(text);
  box->setChecked(true);
  SetBackground(box, kWindowColour);
  // A button fills with its Button colour, a grey band across the frame.
  box->setBackgroundRole(QPalette::Window);
  return box;
}

}  // namespace

frmSearch::frmSearch(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle(QStringLiteral("Quandor Bankensuche"));
  setFont(SansSerif());
  SetBackground(this, kWindowColour);
  setFixedSize(TwipsSize(kWindowWidth, kWindowHeight));
  createControls();
}

void frmSearch::createControls() {
  btnExit = NewButton(this, "btnExit", TwipsRect(2760, 3720, 1575, 375), "schließen");
  btnTakeOver = NewButton(this, "btnTakeOver", TwipsRect(120, 3720, 1575, 375), "übernehmen");
  btnTakeOver->setEnabled(false);
  btnSearch = NewButton(this, "btnSearch", TwipsRect(120, 720, 855, 375), "Suche");
  btnSearch->setDefault(true);
  txtSearch = NewControl<QLineEdit>(this, "txtSearch", TwipsRect(120, 360, 2655, 285));
  Check3 = NewCheckBox(this, "Check3", TwipsRect(3000, 840, 1215, 255), "Bankort");
  Check2 = NewCheckBox(this, "Check2", TwipsRect(3000, 600, 1215, 255), "Bankname");
  Check1 = NewCheckBox(this, "Check1", TwipsRect(3000, 360, 1215, 255), "Bankleitzahl");
  lstBanks = NewControl<QListWidget>(this, "lstBanks", TwipsRect(120, 1320, 4215, 2205));
  lstBanks->setSortingEnabled(true);
  Frame1 = NewControl<QGroupBox>(this, "Frame1", TwipsRect(2880, 120, 1455, 1095));
  Frame1->setTitle(QStringLiteral("Suchen in"));
  SetBackground(Frame1, kWindowColour);
  // The check boxes stand on the frame that encloses them.
  Frame1->lower();
  lblSearchActive = NewLabel(this, "lblSearchActive", TwipsRect(1320, 840, 1335, 255),
                             QStringLiteral("Suche läuft ..."));
  lblSearchActive->setFont(SansSerif(8.25, true));
  SetTextColour(lblSearchActive, kDarkRed);
  lblSearchActive->hide();
  lblMessage = NewLabel(this, "lblMessage", TwipsRect(1080, 720, 1695, 495));
  lblMessage->setWordWrap(true);
  lblMessage->hide();
  Label1 = NewLabel(this, "Label1", TwipsRect(120, 120, 2415, 255), QStringLiteral("Suchen nach:"));

  const QList<QWidget*> focusOrder = {txtSearch, btnSearch, lstBanks, btnTakeOver,
                                      btnExit,   Check1,    Check2,   Check3};
  for (qsizetype i = 1; i < focusOrder.size(); ++i) {
    setTabOrder(focusOrder[i - 1], focusOrder[i]);
  }
  txtSearch->setFocus();

  connect(btnSearch, &QPushButton::clicked, this, &frmSearch::search);
  // Selecting an item by mouse or keyboard makes it ready to be taken over.
  connect(lstBanks, &QListWidget::itemSelectionChanged, this, [this] {
    if (!lstBanks->selectedItems().isEmpty()) btnTakeOver->setEnabled(true);
  });
  connect(lstBanks, &QListWidget::itemDoubleClicked, this, [this] { closeSearch(true); });
  connect(btnTakeOver, &QPushButton::clicked, this, [this] { closeSearch(true); });
  connect(btnExit, &QPushButton::clicked, this, [this] { closeSearch(false); });
}

QString frmSearch::display(QWidget* parentForm, int32_t nStrictness) {
  nSearchStrictness = nStrictness;
  move(parentForm->pos() + TwipsPoint(kOffsetFromParent, kOffsetFromParent));
  exec();
  return sSelected;
}

void frmSearch::search() {
  lblSearchActive->show();
  lblMessage->hide();
  repaint();

  lstBanks->clear();
  vFoundCodes.reset();
  const QString sTest = txtSearch->text();
  if (!sTest.isEmpty()) {
    const int32_t nOption = (Check1->isChecked() ? quandor::qdSearchBLZ : 0) +
                            (Check2->isChecked() ? quandor::qdSearchName : 0) +
                            (Check3->isChecked() ? quandor::qdSearchCity : 0);
    try {
      oBanking->Strictness(nSearchStrictness);
      oBanking->SearchBankByText(sTest.toStdString(), nOption);
      if (!oBanking->IsBankFound()) {
        lblMessage->setText(QStringLiteral("Keine passende Bank gefunden"));
      } else {
        fillFoundBanks();
      }
    } catch (const std::exception& error) {
      // A malformed bank code file must not take the program down; the user
      // learns why the search stopped and the window stays usable.
      QMessageBox::critical(this, windowTitle(), QString::fromStdString(error.what()));
    }
  }

  lblSearchActive->hide();
  lblMessage->show();
}

void frmSearch::fillFoundBanks() {
  const int32_t nAmount = oBanking->AmountFoundBanks();
  lblMessage->setText(QString::number(nAmount) + (nAmount == 1 ? " Bank" : " Banken") +
                      " gefunden");
  // The object shows the first hit after the search; NextFoundBank walks on.
  do {
    if (!vFoundCodes) vFoundCodes.emplace();
    vFoundCodes->append(QString::fromStdString(oBanking->BankNumber()));
    const auto p = static_cast<int>(vFoundCodes->size() - 1);
    auto* item = new QListWidgetItem(QString::fromStdString(oBanking->BankName()) + " (" +
                                     QString::fromStdString(oBanking->BankCity()) + ")");
    item->setData(Qt::UserRole, p);
    lstBanks->addItem(item);
  } while (oBanking->NextFoundBank());
}

void frmSearch::closeSearch(bool bTakeOver) {
  sSelected.clear();
  const QList<QListWidgetItem*> selected = lstBanks->selectedItems();
  if (bTakeOver && !selected.isEmpty() && vFoundCodes) {
    sSelected = vFoundCodes->value(selected.first()->data(Qt::UserRole).toInt());
  }
  vFoundCodes.reset();
  hide();
}

}  // namespace sample
