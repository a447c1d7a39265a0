#pragma once
// File definitions of the contest database: the contest list "ZQKK" (kind 0),
// the contest settings "ZQKZ" (kind 1), the QSO log "ZQLK" + the contest's
// four-digit number (kind 2) and the temporary QSO log "ZQLKTEMP" (kind 5),
// with their keys and key builders.
#include <cstdint>
#include <string>
#include <string_view>

#include "database/dbtable.h"

enum TContestKind : int {
  kContestList = 0,
  kContestExtra = 1,
  kContestLog = 2,
  kContestTemp = 5,
};

class TDatContest : public TDatFamily {
 public:
  bool Definition(int kind, int32_t number, TTableDef& def) const override;

  // "ZQLK" + the number in four digits.
  static std::string LogTableName(int32_t number);
};

extern TDatContest ToDatContest;

// Key parts shared by the key builders and the searches, so that a search
// value is built exactly as the stored key.
namespace contestkey {
// Text part: upper-cased and blank-padded to width (a longer text is cut
// when cut is set, else kept whole).
std::string Text(std::string_view s, size_t width, bool cut = true);
void AppendText(std::string& key, std::string_view s, size_t width, bool cut = true);
// Integer part: compact sortable form, or decimal text when readable.
std::string Int(int32_t v, bool readable);
void AppendInt(std::string& key, int32_t v, bool readable);
// Integer part of a "DESC" key.
std::string Desc(int32_t v, bool readable);
void AppendDesc(std::string& key, int32_t v, bool readable);
// DOK part "DOK1,DOK2" of a DOK of up to 8 characters.
std::string Dok(std::string_view dok, bool readable);
inline std::string Sep(bool readable) { return readable ? "||" : ""; }
}  // namespace contestkey
