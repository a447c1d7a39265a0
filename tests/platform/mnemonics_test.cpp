// Buttons chosen by their Alt keys on a plain dialog, with the filter the
// test main puts in as the program's main does.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// The button has acted by the time its key is back: the dialog is closed
// and a check box has toggled and holds the focus. A key two buttons share
// moves the focus and clicks neither; a disabled button does nothing.
TEST(ImmediateMnemonics, AButtonChosenByItsAltKeyActsAtOnce) {
  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* box = new QCheckBox(QStringLiteral("&Merken"), &dialog);
  auto* apple = new QPushButton(QStringLiteral("&Apfel"), &dialog);
  auto* anchor = new QPushButton(QStringLiteral("&Anker"), &dialog);
  auto* off = new QPushButton(QStringLiteral("&Xaver"), &dialog);
  auto* yes = new QPushButton(QStringLiteral("&Ja"), &dialog);
  for (QWidget* w : std::initializer_list<QWidget*>{box, apple, anchor, off, yes}) layout->addWidget(w);
  off->setEnabled(false);
  int clicks = 0;
  for (QPushButton* b : {apple, anchor, off}) QObject::connect(b, &QPushButton::clicked, [&clicks] { ++clicks; });
  QObject::connect(yes, &QPushButton::clicked, &dialog, &QDialog::accept);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  const auto alt = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier); };

  alt(Qt::Key_M);
  EXPECT_TRUE(box->isChecked());
  EXPECT_TRUE(box->hasFocus());
  alt(Qt::Key_M);
  EXPECT_FALSE(box->isChecked());
  alt(Qt::Key_A);
  EXPECT_TRUE(apple->hasFocus());
  alt(Qt::Key_A);
  EXPECT_TRUE(anchor->hasFocus());
  alt(Qt::Key_X);
  EXPECT_EQ(clicks, 0);
  alt(Qt::Key_J);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
