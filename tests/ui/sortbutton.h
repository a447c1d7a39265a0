#pragma once
// The look's sort button on a browser's bar and what its menu offers, as a
// test reads them.
#include <QAction>
#include <QMenu>
#include <string>
#include <vector>

#include "platform/codec.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"
#include "ui/kxchoicemenu.h"

inline TkxBitBtn* SortButton(const TkxBrow* brow) {
  return brow->FooterBar()->findChild<TkxBitBtn*>(QStringLiteral("btnSortierung"));
}

// The items of the sort button's menu, the checked one marked "*".
inline std::vector<std::string> SortMenu(const TkxBitBtn* button) {
  std::vector<std::string> items;
  for (QAction* a : ChoiceMenuItems(button->kxMenue()))
    items.push_back(QStringToAnsi(a->text()) + (a->isChecked() ? "*" : ""));
  return items;
}
