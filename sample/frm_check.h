// frmCheck, the check window and main window of the sample program: validates
// a bank connection (mode 0) or a credit card number (mode 1), looks a bank up
// by its code, and opens the bank search window.
//
// Every control carries its name as objectName; the indexed tabs and their
// captions are named "optWhat_0", "optWhat_1", "lblHeader_0", "lblHeader_1".
#ifndef QUANDOR_SAMPLE_FRM_CHECK_H_
#define QUANDOR_SAMPLE_FRM_CHECK_H_

#include <QWidget>
#include <array>
#include <cstdint>

#include "quandor/errors.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sample {

class TabBox;

class frmCheck : public QWidget {
  Q_OBJECT

 public:
  // Loading the window creates oBanking and oCreditcard and starts in mode 0.
  explicit frmCheck(QWidget* parent = nullptr);
  // Unloading releases oBanking, then oCreditcard.
  ~frmCheck() override;

 protected:
  // Enter anywhere in the window presses "validieren".
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void createControls();
  void fillLists();

  void switchMode(int16_t m);
  void clearResult();
  void showBank(const QString& sBLZ);
  void colourResult(quandor::ValidateError nLastError);
  void showError(quandor::ValidateError nLastError, const std::string& sMessage);

  void onCheck();
  void onSearchBank();
  void onBankSearch();
  void onInfo();
  void onExit();

  int16_t nMode = 0;

  QComboBox* cmbStrictness = nullptr;
  QPushButton* btnBankSearch = nullptr;
  std::array<TabBox*, 2> optWhat{};
  std::array<QLabel*, 2> lblHeader{};
  QComboBox* cmbCard = nullptr;
  QPushButton* btnSearchBank = nullptr;
  QPushButton* btnExit = nullptr;
  QPushButton* btnInfo = nullptr;
  QPushButton* btnCheck = nullptr;
  QLineEdit* txtKontonr = nullptr;
  QLineEdit* txtBLZ = nullptr;
  QLabel* lblGeprueft = nullptr;
  QLabel* Label1 = nullptr;
  std::array<QFrame*, 4> lines{};
  QLabel* lblDoWhat = nullptr;
  QLabel* lblBank = nullptr;
  QLabel* lblError = nullptr;
  QLabel* lblBLZ = nullptr;
  QLabel* lblKonto = nullptr;
};

}  // namespace sample

#endif  // QUANDOR_SAMPLE_FRM_CHECK_H_
