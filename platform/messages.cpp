#include "platform/messages.h"

#include <cstdio>

#include "platform/codec.h"

TMessages ToMessages;

namespace {
void Log(const char* kind, const std::string& header, const std::string& text) {
  std::fprintf(stderr, "%s: %s %s\n", kind, AnsiToUtf8(header).c_str(), AnsiToUtf8(text).c_str());
}
}  // namespace

TMessages::TMessages()
    : HeaderUnvollstaendig("Eingabedaten unvollständig!"), HeaderUngueltig("Ungültige Daten!") {}

TMessagePresenter* TMessages::SetPresenter(TMessagePresenter* presenter) {
  TMessagePresenter* old = presenter_;
  presenter_ = presenter;
  return old;
}

bool TMessages::JaNeinFrage(const std::string& caption, const std::string& header,
                            const std::string& text, bool defaultYes) {
  if (presenter_) return presenter_->JaNeinFrage(caption, header, text, defaultYes);
  Log("Abfrage", header, text);
  return defaultYes;
}

bool TMessages::Hinweis(const std::string& caption, const std::string& header,
                        const std::string& text, bool showCheckbox) {
  if (presenter_) return presenter_->Hinweis(caption, header, text, showCheckbox, false);
  Log("Hinweis", header, text);
  return false;
}

bool TMessages::HinweisWeiter(const std::string& caption, const std::string& header,
                              const std::string& text, bool showCheckbox) {
  if (presenter_) return presenter_->Hinweis(caption, header, text, showCheckbox, true);
  Log("Hinweis", header, text);
  return false;
}

void TMessages::Achtung(const std::string& header, const std::string& text) {
  if (presenter_) return presenter_->Achtung(header, text);
  Log("Achtung", header, text);
}

void TMessages::Fehler(const std::string& text) {
  if (presenter_) return presenter_->Fehler(text);
  Log("Fehler", "", text);
}

void TMessages::FehlerInfo(const std::string& text, const std::string& buttonCaption,
                           const std::string& target) {
  if (presenter_) return presenter_->FehlerInfo(text, buttonCaption, target);
  Log("Fehler", "", text + " (" + target + ")");
}
