// Buttons chosen by their Alt keys and keys held down, on a plain dialog,
// with the rules the test main puts in as the program's main does.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "support/HangGuard.h"
#include "support/HeldKey.h"

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

// Where a held key is wanted again it goes on for every repeat, marked by
// Qt or not: a character, BackSpace and Delete in a field, Down in a list
// and in an open menu -- the menu holds the keyboard, not the button behind
// it that has the focus. Return in a one-line field presses the default
// button once, as every key that acts.
TEST(KeyboardRules, AHeldKeyRepeatsWhereItTypesDeletesOrMovesAndActsOnceElsewhere) {
  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* edit = new QLineEdit(&dialog);
  auto* list = new QListWidget(&dialog);
  for (int i = 0; i < 20; ++i) list->addItem(QString::number(i));
  auto* button = new QPushButton(QStringLiteral("Menü"), &dialog);
  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setDefault(true);
  for (QWidget* w : std::initializer_list<QWidget*>{edit, list, button, ok}) layout->addWidget(w);
  int returns = 0, oks = 0;
  QObject::connect(edit, &QLineEdit::returnPressed, [&returns] { ++returns; });
  QObject::connect(ok, &QPushButton::clicked, [&oks] { ++oks; });
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, kHangGuardMs));
  const auto hold = [](Qt::Key key) {
    const std::shared_ptr<bool> released = HoldKey(key, Qt::NoModifier, 7);
    ASSERT_TRUE(QTest::qWaitFor([&released] { return *released; }, kHangGuardMs));
  };

  edit->setFocus();
  hold(Qt::Key_X);
  EXPECT_EQ(edit->text(), QStringLiteral("xxxxxxxx"));
  edit->setText(QStringLiteral("abcdefghij"));
  hold(Qt::Key_Backspace);
  EXPECT_EQ(edit->text(), QStringLiteral("ab"));
  edit->setText(QStringLiteral("abcdefghij"));
  edit->setCursorPosition(0);
  hold(Qt::Key_Delete);
  EXPECT_EQ(edit->text(), QStringLiteral("ij"));
  hold(Qt::Key_Return);
  EXPECT_EQ(returns, 1);
  EXPECT_EQ(oks, 1);

  list->setFocus();
  list->setCurrentRow(0);
  hold(Qt::Key_Down);
  EXPECT_EQ(list->currentRow(), 8);

  QMenu menu(&dialog);
  for (int i = 0; i < 20; ++i) menu.addAction(QString::number(i));
  button->setFocus();
  menu.popup(button->mapToGlobal(QPoint(0, button->height())));
  ASSERT_TRUE(QTest::qWaitFor([&menu] { return QApplication::activePopupWidget() == &menu; }, kHangGuardMs));
  hold(Qt::Key_Down);
  ASSERT_NE(menu.activeAction(), nullptr);
  EXPECT_EQ(menu.activeAction()->text(), QStringLiteral("7"));
  menu.close();
}

}  // namespace
