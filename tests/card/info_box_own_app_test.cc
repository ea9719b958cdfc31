// A host with no Qt application of its own: ShowInfo makes the QApplication
// itself. Run under QT_QPA_PLATFORM=offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>

#include "info_box_watch.h"
#include "quandor/creditcard.h"

namespace {

InfoBoxSighting first;

// The test cannot reach the modal loop before ShowInfo has made the
// application, so the watch starts as the application comes up.
void WatchOnceTheApplicationExists() { PressOkWhenShown(&first); }
Q_COREAPP_STARTUP_FUNCTION(WatchOnceTheApplicationExists)

TEST(InfoBoxWithoutHostApplicationTest, MakesItsOwnApplicationAndKeepsTheWindow) {
  ASSERT_EQ(QCoreApplication::instance(), nullptr);
  quandor::Creditcard card;
  card.ShowInfo();

  ASSERT_NE(qobject_cast<QApplication*>(QCoreApplication::instance()), nullptr);
  ASSERT_FALSE(first.window.isNull());
  EXPECT_TRUE(first.hidden_by_ok);
  EXPECT_EQ(first.labels.value(3).toStdString(), "Version: " + card.Version());

  // The application stays, and with it the window for the next call.
  InfoBoxSighting second;
  PressOkWhenShown(&second);
  card.ShowInfo();
  EXPECT_EQ(second.window.data(), first.window.data());
}

}  // namespace
