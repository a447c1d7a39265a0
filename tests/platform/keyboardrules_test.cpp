// Buttons chosen by their Alt keys on a plain dialog, with the rules the
// test main puts in as the program's main does.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "support/HangGuard.h"

namespace {

// Every button has acted by the time its key is back, and once: had Qt's
// own delayed click been started as well, the button would still show
// itself pressed, and once that click is through a check box would be
// unchecked again and a button clicked twice. The key clicks a check box,
// so that it unchecks it the second time. A check box takes the focus
// from the field the user was in; a label's key clicks the button it leads
// to. A key two buttons share moves the focus and clicks neither; a
// disabled button does nothing.
TEST(KeyboardRules, AButtonChosenByItsAltKeyActsAtOnceAndOnce) {
  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* edit = new QLineEdit(&dialog);
  auto* box = new QCheckBox(QStringLiteral("&Merken"), &dialog);
  auto* apple = new QPushButton(QStringLiteral("&Apfel"), &dialog);
  auto* pear = new QPushButton(QStringLiteral("&Birne"), &dialog);
  auto* bean = new QPushButton(QStringLiteral("&Bohne"), &dialog);
  auto* off = new QPushButton(QStringLiteral("&Xaver"), &dialog);
  auto* label = new QLabel(QStringLiteral("S&ortierung:"), &dialog);
  auto* sort = new QPushButton(QStringLiteral("DXCC"), &dialog);
  auto* yes = new QPushButton(QStringLiteral("&Ja"), &dialog);
  label->setBuddy(sort);
  for (QWidget* w : std::initializer_list<QWidget*>{edit, box, apple, pear, bean, off, label, sort, yes})
    layout->addWidget(w);
  off->setEnabled(false);
  std::map<QPushButton*, int> clicks;
  for (QPushButton* b : {apple, pear, bean, off, sort})
    QObject::connect(b, &QPushButton::clicked, [&clicks, b] { ++clicks[b]; });
  QObject::connect(yes, &QPushButton::clicked, &dialog, &QDialog::accept);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, kHangGuardMs));
  edit->setFocus();
  ASSERT_TRUE(edit->hasFocus());
  const auto alt = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier); };
  const auto settled = [](QAbstractButton* b) { QTRY_VERIFY_WITH_TIMEOUT(!b->isDown(), kHangGuardMs); };

  alt(Qt::Key_M);
  EXPECT_TRUE(box->isChecked());
  EXPECT_TRUE(box->hasFocus());
  EXPECT_FALSE(box->isDown());
  settled(box);
  EXPECT_TRUE(box->isChecked());
  alt(Qt::Key_M);
  EXPECT_FALSE(box->isChecked());

  alt(Qt::Key_A);
  EXPECT_EQ(clicks[apple], 1);
  settled(apple);
  EXPECT_EQ(clicks[apple], 1);

  alt(Qt::Key_O);
  EXPECT_EQ(clicks[sort], 1);
  EXPECT_TRUE(sort->hasFocus());
  settled(sort);
  EXPECT_EQ(clicks[sort], 1);

  alt(Qt::Key_B);
  EXPECT_TRUE(pear->hasFocus());
  alt(Qt::Key_B);
  EXPECT_TRUE(bean->hasFocus());
  alt(Qt::Key_X);
  EXPECT_EQ(clicks[pear] + clicks[bean] + clicks[off], 0);
  EXPECT_EQ(edit->text(), QString());

  alt(Qt::Key_J);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
