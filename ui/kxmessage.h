#pragma once
// The message dialogs behind ToMessages: installing them makes every
// question, notice, warning and error of the program show its dialog.
#include "platform/messages.h"

class TkxMessageDialogs : public TMessagePresenter {
 public:
  bool JaNeinFrage(const std::string& caption, const std::string& header, const std::string& text,
                   bool defaultYes) override;
  bool Hinweis(const std::string& caption, const std::string& header, const std::string& text,
               bool showCheckbox, bool weiter) override;
  void Achtung(const std::string& header, const std::string& text) override;
  void Fehler(const std::string& text) override;
  void FehlerInfo(const std::string& text, const std::string& buttonCaption,
                  const std::string& target) override;
};

// Installs the dialogs as ToMessages' presenter (the program does this at start).
void InstallMessageDialogs();
