#pragma once
// Drives the dialog "ADIF-Import" as a user does: the file button, clicks on
// the file's fields, drags onto the log's fields, the check box and Start.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

#include <functional>
#include <memory>
#include <string>

#include "logentry/dialogs/ContestAdifimportForm.h"
#include "platform/codec.h"
#include "ui/ModalDriver.h"
#include "ui/kxbuttons.h"

namespace adifdialog {

inline TContestAdifimportForm* OpenForm() {
  return qobject_cast<TContestAdifimportForm*>(QApplication::activeModalWidget());
}

inline void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center()); }

// The row of a list entry that starts with text; -1 when none does.
inline int RowOf(QListWidget* list, const std::string& text) {
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->text().startsWith(AnsiToQString(text))) return i;
  return -1;
}

// Clicks the file's field, then drags it onto the log's field.
inline void Drag(TContestAdifimportForm* form, const std::string& adifName, const std::string& logField) {
  const int from = RowOf(form->ListeLinks, adifName);
  ASSERT_GE(from, 0) << adifName;
  QListWidgetItem* item = form->ListeLinks->item(from);
  form->ListeLinks->scrollToItem(item);
  QTest::mouseClick(form->ListeLinks->viewport(), Qt::LeftButton, Qt::NoModifier,
                    form->ListeLinks->visualItemRect(item).center());
  ASSERT_EQ(form->ListeLinks->currentItem(), item);
  const std::unique_ptr<QMimeData> data(form->ListeLinks->DragData());
  ASSERT_NE(data, nullptr);
  const int to = RowOf(form->ListeRechtsLB, logField);
  ASSERT_GE(to, 0) << logField;
  QListWidgetItem* target = form->ListeRechtsLB->item(to);
  form->ListeRechtsLB->scrollToItem(target);
  const QPointF at = form->ListeRechtsLB->visualItemRect(target).center();
  QWidget* viewport = form->ListeRechtsLB->viewport();
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDragMoveEvent move(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &move);
  QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
}

// Drags every field of the file onto the log's field of the same name.
inline void AssignSameNames(TContestAdifimportForm* form) {
  for (int i = 0; i < form->ListeRechtsLB->count(); ++i) {
    const std::string logField = QStringToAnsi(form->ListeRechtsLB->item(i)->text());
    if (logField.find('(') != std::string::npos) continue;
    if (RowOf(form->ListeLinks, logField) >= 0 &&
        QStringToAnsi(form->ListeLinks->item(RowOf(form->ListeLinks, logField))->text()) == logField)
      Drag(form, logField, logField);
  }
}

// The user's import of a BRZ party file, the program's own export among
// them: the file chosen, the fields of the same name assigned, the square
// and the received exchange given their log fields, the import started.
inline void ImportBrzFile(TContestAdifimportForm* form) {
  Click(form->btndatei);
  AssignSameNames(form);
  Drag(form, "GRIDSQUARE", "Loc");
  Drag(form, "SRX_STRING", "BRZ-Nr");
  Click(form->btnimportstart);
}

// Runs steps inside the modal dialog once it is up and holds the keyboard.
inline void WhenShown(std::function<void(TContestAdifimportForm*)> steps) {
  WhenModalOf<TContestAdifimportForm>([steps](TContestAdifimportForm& form) {
    steps(&form);
    // A step that failed leaves the dialog open: close it so the test goes on.
    if (QApplication::activeModalWidget() == &form) form.reject();
  });
}

}  // namespace adifdialog
