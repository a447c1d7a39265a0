#pragma once
// ToMessages: every question, notice, warning and error of the program goes
// through this one object. It forwards to a presenter: the message dialogs of
// the user interface in the program, a scripted responder in tests. Without a
// presenter the message goes to standard error and questions take their default.
#include <string>

class TMessagePresenter {
 public:
  virtual ~TMessagePresenter() = default;
  virtual bool JaNeinFrage(const std::string& caption, const std::string& header,
                           const std::string& text, bool defaultYes) = 0;
  // weiter: the button reads "&Weiter" instead of "&Schließen".
  virtual bool Hinweis(const std::string& caption, const std::string& header,
                       const std::string& text, bool showCheckbox, bool weiter) = 0;
  virtual void Achtung(const std::string& header, const std::string& text) = 0;
  virtual void Fehler(const std::string& text) = 0;
  virtual void FehlerInfo(const std::string& text, const std::string& buttonCaption,
                          const std::string& target) = 0;
};

class TMessages {
 public:
  TMessages();

  // The headers of input checks, passed to Achtung.
  std::string HeaderUnvollstaendig;
  std::string HeaderUngueltig;

  bool JaNeinFrage(const std::string& caption, const std::string& header,
                   const std::string& text, bool defaultYes);
  bool Hinweis(const std::string& caption, const std::string& header, const std::string& text,
               bool showCheckbox);
  bool HinweisWeiter(const std::string& caption, const std::string& header,
                     const std::string& text, bool showCheckbox);
  void Achtung(const std::string& header, const std::string& text);
  void Fehler(const std::string& text);
  void FehlerInfo(const std::string& text, const std::string& buttonCaption,
                  const std::string& target);

  // Installs a presenter (not owned); returns the previous one.
  TMessagePresenter* SetPresenter(TMessagePresenter* presenter);
  TMessagePresenter* Presenter() const { return presenter_; }

 private:
  TMessagePresenter* presenter_ = nullptr;
};

extern TMessages ToMessages;
