#include "ui/kxmessage.h"

#include <QApplication>
#include <QPointer>
#include <memory>
#include <vector>

#include "ui/kxMessageForm.h"

namespace {
// A window that stays on top of all others (the progress window of a job)
// would cover a message, and the job waits for its answer: such windows
// step aside while the message is up and come back after it.
class TWindowsOnTopAside {
 public:
  TWindowsOnTopAside() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible() || !w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) continue;
      hidden_.emplace_back(w);
      w->hide();
    }
  }
  // Back after the answer without taking the keyboard: what the user types
  // next goes where the answer left it, not into a window that is gone
  // once the job ends.
  ~TWindowsOnTopAside() {
    for (const QPointer<QWidget>& w : hidden_) {
      if (!w) continue;
      w->setAttribute(Qt::WA_ShowWithoutActivating);
      w->show();
    }
  }
  TWindowsOnTopAside(const TWindowsOnTopAside&) = delete;
  TWindowsOnTopAside& operator=(const TWindowsOnTopAside&) = delete;

 private:
  std::vector<QPointer<QWidget>> hidden_;
};

// Shows one message modally and reads back what the user chose into the
// record; the form's modal result is the answer.
int Execute(TMessageKind kind, TMessageWinRec& rec) {
  const TWindowsOnTopAside aside;
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
