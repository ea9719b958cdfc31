// frmSearch, the bank search window: a modal dialog of the check window that
// searches the bank code file by text through oBanking and hands the bank
// code of the chosen bank back.
//
// Every control carries its name as objectName. Each item of lstBanks carries,
// as Qt::UserRole data, the position of its bank code in the found codes; the
// list is sorted by text, so an item's row says nothing about its bank.
#ifndef QUANDOR_SAMPLE_FRM_SEARCH_H_
#define QUANDOR_SAMPLE_FRM_SEARCH_H_

#include <QDialog>
#include <QStringList>
#include <cstdint>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace sample {

class frmSearch : public QDialog {
  Q_OBJECT

 public:
  explicit frmSearch(QWidget* parent = nullptr);

  // Shows the window modally, 320 twips right of and below parentForm's
  // top-left corner, and runs every search at strictness nStrictness. Returns
  // the chosen bank code once the window is closed, or "" when none was chosen.
  QString display(QWidget* parentForm, int32_t nStrictness);
  QString selectedValue() const { return sSelected; }

 private:
  void createControls();
  void search();
  void fillFoundBanks();
  void closeSearch(bool bTakeOver);

  QString sSelected;
  std::optional<QStringList> vFoundCodes;  // in the order found; absent before a search
  int32_t nSearchStrictness = 0;

  QPushButton* btnExit = nullptr;
  QPushButton* btnTakeOver = nullptr;
  QPushButton* btnSearch = nullptr;
  QLineEdit* txtSearch = nullptr;
  QCheckBox* Check3 = nullptr;
  QCheckBox* Check2 = nullptr;
  QCheckBox* Check1 = nullptr;
  QListWidget* lstBanks = nullptr;
  QGroupBox* Frame1 = nullptr;
  QLabel* lblSearchActive = nullptr;
  QLabel* lblMessage = nullptr;
  QLabel* Label1 = nullptr;
};

}  // namespace sample

#endif  // QUANDOR_SAMPLE_FRM_SEARCH_H_
