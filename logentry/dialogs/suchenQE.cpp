#include "logentry/dialogs/suchenQE.h"

#include <QKeyEvent>
#include <QLabel>

#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "logentry/rules/stdkorrlogic.h"
#include "platform/codec.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"
#include "ui/kxlayout.h"

namespace {
constexpr int kSearchHelpContext = 100200003;
}

TSucheQE_::TSucheQE_(TkxBrow* browser, TdbContest& log) : TkxForm(browser), browser_(browser), log_(log) {
  setObjectName(QStringLiteral("SucheQE_"));
  setWindowTitle(QStringLiteral("Suche"));
  setFixedSize(300, 100);
  auto* label = new QLabel(AnsiToQString("Rufzeichen:"), this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setGeometry(12, 16, 80, 18);
  eSuche = new TkxEdit(this);
  eSuche->setObjectName(QStringLiteral("eSuche"));
  eSuche->setGeometry(96, 14, 190, 22);
  eSuche->setMaxLength(20);
  SetHelpContext(eSuche, kSearchHelpContext);
  label->setBuddy(eSuche);
  btnAbbruchzq4 = new TkxBitBtn(this);
  btnAbbruchzq4->setObjectName(QStringLiteral("btnAbbruchzq4"));
  btnAbbruchzq4->SetkxKind(bkCancel);
  btnAbbruchzq4->SetCaption("&Abbrechen");
  btnAbbruchzq4->setGeometry(96, 50, 92, 40);
  btnendezq4 = new TkxBitBtn(this);
  btnendezq4->setObjectName(QStringLiteral("btnendezq4"));
  btnendezq4->SetkxKind(bkOK);
  btnendezq4->SetCaption("&Suche|starten");
  btnendezq4->setGeometry(194, 50, 92, 40);
  btnendezq4->OnClick = [this] { btnendezq3Click(); };
  ToLayout.ApplyFormLook(this, true);
  eSuche->setFocus();
}

void TSucheQE_::btnendezq3Click() {
  const TCallSearch search = CallSearchFor(eSuche->GetText());
  if (!search.HomeCall.empty()) {
    browser_->SetKeyNumber(qrec::kKeyCall);
    const TKeyStr bound = MakeKeyStr(search.Bound);
    browser_->SetKeyRange(bound, bound);
    int32_t ref = 0;
    if (search.FindTypedForm) {
      // A handle of its own walks, so the list's table keeps its place.
      TdbContest walk(log_.Kind(), log_.IsDetached(), log_.GetContestNumber());
      ref = FindTypedCall(walk, search);
    }
    if (ref > 0)
      browser_->GotoRecord(ref);
    else
      browser_->GoLast();
  }
  SetModalResult(mrOk);
}

void TSucheQE_::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    e->accept();
    done(mrCancel);
    return;
  }
  TkxForm::keyPressEvent(e);
}
