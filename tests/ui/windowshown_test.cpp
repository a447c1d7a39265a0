// Waiting for a window on the screen: a shown window comes within the
// time, one that is never shown lets the wait end with false instead of
// hanging.
#include <gtest/gtest.h>

#include <QWidget>
#include <QWindow>

#include "ui/windowshown.h"

TEST(WindowShown, AShownWindowIsOnTheScreenAnUnshownOneNeverComes) {
  QWidget shown;
  shown.resize(200, 100);
  shown.show();
  EXPECT_TRUE(WaitUntilShown(shown));
  ASSERT_NE(shown.windowHandle(), nullptr);
  EXPECT_TRUE(shown.windowHandle()->isExposed());

  QWidget hidden;
  EXPECT_FALSE(WaitUntilShown(hidden, 50));
}
