#include "logentry/dialogs/DatenPrefixListeCtrl.h"

#include "logentry/dialogs/DatenListeForm.h"
#include "logentry/dialogs/DatenPrefixBrowCtrl.h"
#include "logentry/dialogs/DatenPrefixFkt.h"
#include "prefix/dbPrefix.h"

namespace {
constexpr int32_t kPrefixListHelp = 300060001;
}

TDatenPrefixListeCtrl::TDatenPrefixListeCtrl(QWidget* owner, bool pickMode,
                                             const std::string& startText, int keyNumber,
                                             int detailsOnly)
    : TDatenListeCtrl(owner, pickMode, &DatenPrefixFkt, std::make_unique<TdbPrefix>(kPrefixMain)),
      StartText(startText),
      KeyNumber(static_cast<uint8_t>(keyNumber)),
      DetailsOnly(static_cast<uint8_t>(detailsOnly)) {
  HelpContext = kPrefixListHelp;
  Caption = "Prefix";
}

void TDatenPrefixListeCtrl::CreateGridCtrl() {
  GridCtrl = std::make_unique<TDatenPrefixBrowCtrl>(Form->Brow, PickMode, StartText, KeyNumber,
                                                    DetailsOnly, static_cast<TdbPrefix*>(Table.get()));
}
