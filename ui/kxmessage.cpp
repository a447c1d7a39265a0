#include "ui/kxmessage.h"

#include <memory>

#include "ui/kxMessageForm.h"

namespace {
// Shows one message modally and reads back what the user chose into the
// record; the form's modal result is the answer.
int Execute(TMessageKind kind, TMessageWinRec& rec) {
  auto form = std::make_unique<TkxMessageForm>(kind);
  form->ShowData(rec);
  const int result = form->ShowModal();
  form->ReadResult(rec);
  return result;
}
}  // namespace

bool TkxMessageDialogs::JaNeinFrage(const std::string& caption, const std::string& header,
                                    const std::string& text, bool defaultYes) {
  TMessageWinRec rec{.Caption = caption, .Header = header, .Text = text, .DefaultYes = defaultYes};
  return Execute(TMessageKind::JaNeinFrage, rec) == mrYes;
}

bool TkxMessageDialogs::Hinweis(const std::string& caption, const std::string& header,
                                const std::string& text, bool showCheckbox, bool weiter) {
  TMessageWinRec rec{.Caption = caption,
                     .Header = header,
                     .Text = text,
                     .Weiter = weiter,
                     .ShowCheckbox = showCheckbox};
  Execute(TMessageKind::Hinweis, rec);
  return rec.Checked;
}

void TkxMessageDialogs::Achtung(const std::string& header, const std::string& text) {
  TMessageWinRec rec{.Header = header, .Text = text};
  Execute(TMessageKind::Achtung, rec);
}

void TkxMessageDialogs::Fehler(const std::string& text) {
  TMessageWinRec rec{.Text = text};
  Execute(TMessageKind::Fehler, rec);
}

void TkxMessageDialogs::FehlerInfo(const std::string& text, const std::string& buttonCaption,
                                   const std::string& target) {
  TMessageWinRec rec{.Text = text, .ButtonCaption = buttonCaption, .Target = target};
  Execute(TMessageKind::FehlerInfo, rec);
}

void InstallMessageDialogs() {
  static TkxMessageDialogs dialogs;
  ToMessages.SetPresenter(&dialogs);
}
