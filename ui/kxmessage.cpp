#include "ui/kxmessage.h"

#include "ui/AchtungWinCtrl.h"
#include "ui/FehlerInfoWinCtrl.h"
#include "ui/FehlerWinCtrl.h"
#include "ui/HinweisWinCtrl.h"
#include "ui/JaNeinFrageWinCtrl.h"

bool TkxMessageDialogs::JaNeinFrage(const std::string& caption, const std::string& header,
                                    const std::string& text, bool defaultYes) {
  return TJaNeinFrageWinCtrl(caption, header, text, defaultYes).Execute();
}

bool TkxMessageDialogs::Hinweis(const std::string& caption, const std::string& header,
                                const std::string& text, bool showCheckbox, bool weiter) {
  return THinweisWinCtrl(caption, header, text, weiter, showCheckbox).Execute();
}

void TkxMessageDialogs::Achtung(const std::string& header, const std::string& text) {
  TAchtungWinCtrl(header, text).Execute();
}

void TkxMessageDialogs::Fehler(const std::string& text) { TFehlerWinCtrl(text).Execute(); }

void TkxMessageDialogs::FehlerInfo(const std::string& text, const std::string& buttonCaption,
                                   const std::string& target) {
  TFehlerInfoWinCtrl(text, buttonCaption, target).Execute();
}

void InstallMessageDialogs() {
  static TkxMessageDialogs dialogs;
  ToMessages.SetPresenter(&dialogs);
}
