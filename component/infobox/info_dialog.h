// frmInfo, the component's info box: a fixed title, the version data of the
// build and an OK button that hides the window for the next use.
#ifndef QUANDOR_INFOBOX_INFO_DIALOG_H_
#define QUANDOR_INFOBOX_INFO_DIALOG_H_

#include <QDialog>

#include "infobox_abi.h"

class QLabel;
class QPushButton;

namespace quandor::infobox {

class InfoDialog : public QDialog {
 public:
  InfoDialog();

  // Fills the labels anew and shows the window modally, without owner;
  // returns when the window is hidden (OK, Escape or the close button).
  void display(const QuandorInfoTexts& texts);

 private:
  void Fill(const QuandorInfoTexts& texts);

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  QPushButton* btnOK;
};

}  // namespace quandor::infobox

#endif  // QUANDOR_INFOBOX_INFO_DIALOG_H_
