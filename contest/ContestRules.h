#pragma once
// Where the rules of a contest are found: the organiser's web page, a PDF
// file or a rules text shown in the memo window.
#include <string>

struct TRulesDocument {
  enum class Kind { Web, Pdf, Text };
  Kind Type = Kind::Text;
  std::string Name;  // web address or file name
};

TRulesDocument RulesDocumentFor(char letter);

// The file of that name in the folder (ending in "/"), its name compared
// without regard to case; empty when there is none.
std::string FindFileNoCase(const std::string& folder, const std::string& name);
