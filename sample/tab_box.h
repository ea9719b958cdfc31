// A tab of the check window: a coloured box that takes clicks. Its caption
// label is a child; clicks on the label reach the box too, because a plain
// label leaves mouse presses to its parent.
#ifndef QUANDOR_SAMPLE_TAB_BOX_H_
#define QUANDOR_SAMPLE_TAB_BOX_H_

#include <QFrame>

namespace sample {

class TabBox : public QFrame {
  Q_OBJECT

 public:
  explicit TabBox(QWidget* parent = nullptr);

 signals:
  // A left click, or Space while the tab has the keyboard focus.
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace sample

#endif  // QUANDOR_SAMPLE_TAB_BOX_H_
