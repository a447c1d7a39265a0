#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include "platform/codec.h"

namespace {
const char* KindName(ScriptedMessages::Kind k) {
  switch (k) {
    case ScriptedMessages::Kind::JaNeinFrage: return "JaNeinFrage";
    case ScriptedMessages::Kind::Hinweis: return "Hinweis";
    case ScriptedMessages::Kind::Achtung: return "Achtung";
    case ScriptedMessages::Kind::Fehler: return "Fehler";
    case ScriptedMessages::Kind::FehlerInfo: return "FehlerInfo";
  }
  return "?";
}
}  // namespace

ScriptedMessages::ScriptedMessages() { previous_ = ToMessages.SetPresenter(this); }

ScriptedMessages::~ScriptedMessages() {
  ToMessages.SetPresenter(previous_);
  for (const auto& e : expected_)
    ADD_FAILURE() << "expected message not shown: " << KindName(e.kind) << " \""
                  << AnsiToUtf8(e.textPart) << "\"";
}

ScriptedMessages& ScriptedMessages::Expect(Kind kind, const std::string& textPart, bool answer) {
  expected_.push_back({kind, textPart, answer});
  return *this;
}

bool ScriptedMessages::Take(const Shown& shown, bool fallback) {
  history_.push_back(shown);
  if (!expected_.empty()) {
    const Expected& e = expected_.front();
    const bool match = e.kind == shown.kind && (shown.text.find(e.textPart) != std::string::npos ||
                                                shown.header.find(e.textPart) != std::string::npos);
    if (match) {
      const bool answer = e.answer;
      expected_.pop_front();
      return answer;
    }
  }
  if (!allowAny_)
    ADD_FAILURE() << "unexpected message: " << KindName(shown.kind) << " header \""
                  << AnsiToUtf8(shown.header) << "\" text \"" << AnsiToUtf8(shown.text) << "\"";
  return fallback;
}

bool ScriptedMessages::JaNeinFrage(const std::string& caption, const std::string& header,
                                   const std::string& text, bool defaultYes) {
  return Take({Kind::JaNeinFrage, caption, header, text, defaultYes, false}, defaultYes);
}

bool ScriptedMessages::Hinweis(const std::string& caption, const std::string& header,
                               const std::string& text, bool, bool weiter) {
  Take({Kind::Hinweis, caption, header, text, false, weiter}, false);
  return false;
}

void ScriptedMessages::Achtung(const std::string& header, const std::string& text) {
  Take({Kind::Achtung, "", header, text, false, false}, false);
}

void ScriptedMessages::Fehler(const std::string& text) {
  Take({Kind::Fehler, "", "", text, false, false}, false);
}

void ScriptedMessages::FehlerInfo(const std::string& text, const std::string& buttonCaption,
                                  const std::string& target) {
  Take({Kind::FehlerInfo, buttonCaption, target, text, false, false}, false);
}
