#pragma once
// A scripted stand-in for the message dialogs: each expected message names
// its kind, a part of its text and the answer. An unexpected message fails
// the test; nothing ever blocks. Installed for its lifetime.
#include <deque>
#include <string>
#include <vector>

#include "platform/messages.h"

class ScriptedMessages : public TMessagePresenter {
 public:
  enum class Kind { JaNeinFrage, Hinweis, Achtung, Fehler, FehlerInfo };
  struct Shown {
    Kind kind;
    std::string caption, header, text;
    bool defaultYes = false;
    bool weiter = false;
  };

  ScriptedMessages();
  ~ScriptedMessages() override;

  // Expects a message of this kind whose header or text contains textPart
  // (program text, Windows-1252); the answer is used for questions.
  ScriptedMessages& Expect(Kind kind, const std::string& textPart, bool answer = true);

  // Every message shown, in order.
  const std::vector<Shown>& History() const { return history_; }
  // True when every expected message was shown.
  bool AllShown() const { return expected_.empty(); }
  // Lets any number of messages of any kind pass (answer: default), recorded only.
  void AllowAny(bool allow) { allowAny_ = allow; }

  bool JaNeinFrage(const std::string& caption, const std::string& header, const std::string& text,
                   bool defaultYes) override;
  bool Hinweis(const std::string& caption, const std::string& header, const std::string& text,
               bool showCheckbox, bool weiter) override;
  void Achtung(const std::string& header, const std::string& text) override;
  void Fehler(const std::string& text) override;
  void FehlerInfo(const std::string& text, const std::string& buttonCaption,
                  const std::string& target) override;

 private:
  struct Expected {
    Kind kind;
    std::string textPart;
    bool answer;
  };
  bool Take(const Shown& shown, bool fallback);

  std::deque<Expected> expected_;
  std::vector<Shown> history_;
  bool allowAny_ = false;
  TMessagePresenter* previous_;
};
