// Quandor: the windowed sample host of the component. No command line, no
// files or settings of its own; the bank code file is the component's.
#include <QApplication>

#include "frm_check.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quandor"));
  sample::frmCheck window;
  window.show();
  return QApplication::exec();
}
