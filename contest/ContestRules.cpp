#include "contest/ContestRules.h"

#include <QDir>
#include <string_view>

#include "base/kxstrings.h"
#include "platform/codec.h"
#include "platform/paths.h"

namespace {

struct TRulesFile {
  char Letter;
  const char* File;
};

constexpr TRulesFile kPdfFiles[] = {
    {'P', "DARC-Februarparty 2015.pdf"},
    {'S', "HSW_2015_Ausschreibung.pdf"},
    {'V', "MVP-Contest.pdf"},
    {'m', "AUSSCHREIBUNG MOBILTEST.pdf"},
};

constexpr TRulesFile kTextFiles[] = {
    {'2', "WNQACr.rtf"}, {'3', "WNCr.rtf"},        {'6', "HSCr.rtf"},
    {'H', "HOLYLANDR.rtf"}, {'I', "kwnordseeR.rtf"}, {'N', "nacr.rtf"},
    {'c', "WNAr.rtf"},   {'g', "ukwnordseer.rtf"}, {'i', "navalR.rtf"},
};

// The organisers' rules pages. An address is configured per letter; a
// letter without one shows its rules text instead. None is configured in
// this edition.
struct TRulesPage {
  char Letter;
  const char* Address;
};
constexpr TRulesPage kRulesPages[] = {
    {'4', ""},
};

}  // namespace

TRulesDocument RulesDocumentFor(char letter) {
  for (const TRulesPage& p : kRulesPages)
    if (p.Letter == letter && *p.Address) return {TRulesDocument::Kind::Web, p.Address};
  for (const TRulesFile& f : kPdfFiles)
    if (f.Letter == letter) return {TRulesDocument::Kind::Pdf, f.File};
  for (const TRulesFile& f : kTextFiles)
    if (f.Letter == letter) return {TRulesDocument::Kind::Text, f.File};
  return {TRulesDocument::Kind::Text, "MVPR.RTF"};
}

std::string FindFileNoCase(const std::string& folder, const std::string& name) {
  if (FileExistsAnsi(folder + name)) return folder + name;
  const QString wanted = AnsiToQString(name);
  const QDir dir(FileNameToQString(folder.empty() ? std::string("./") : folder));
  for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden)) {
    if (entry.compare(wanted, Qt::CaseInsensitive) == 0) return folder + QStringToFileName(entry);
  }
  return {};
}
