#pragma once
// The ADIF log (".ADI"): a header comment, "<EOH>" and one line per QSO
// holding all its fields and ending in "<EOR>". Lines keep their case.
#include <functional>
#include <memory>
#include <unordered_map>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "outputs/linetexts.h"

// The ADIF entity number of a DXCC prefix as text; empty when unknown.
using TAdifEntityLookup = std::function<std::string(std::string_view dxcc)>;

std::vector<std::string> AdifHeaderLines(const TContestRec& description);

// The record of one QSO. onlyReport: the report fields carry only the
// report, the rest of the exchange goes to "STX" and "SRX" when it is an
// integer, else to "STX_STRING" and "SRX_STRING".
std::string AdifQsoText(const TContestRec& description, char letter, bool onlyReport,
                        const TContestQsoRecord& qso, const TAdifEntityLookup& entityNumber);
// The same record written by a line's writer with the texts of the earlier
// lines.
void WriteAdifQsoText(TTextWriter& line, const TContestRec& description, char letter, bool onlyReport,
                       const TContestQsoRecord& qso, const TAdifEntityLookup& entityNumber,
                       TLineTexts& texts);

// The question the QSO loop asks before an ADIF export (not for letter 'A').
inline constexpr const char* kAdifOnlyReportQuestion =
    "Von der Kontrollnummer nur RS(T) exportieren?";

// The writer entries on the output frame. prefixes: the prefix table to
// look the entity numbers up in; none: one is made for the record.
class TAlleRout;
class TdbContest;
class TdbPrefix;
void WriteAdifHeader(TAlleRout& out, const TContestRec& description);
// The ADIF entity number of a DXCC prefix, also of an area counted for WAE
// only; empty when the prefix tables do not know it.
std::string AdifEntityNumber(TdbPrefix& prefixes, std::string_view dxcc);

// The entity numbers of one export: each prefix is looked up once, however
// many QSOs name it.
class TAdifEntityNumbers {
 public:
  TAdifEntityNumbers();
  ~TAdifEntityNumbers();
  std::string Number(std::string_view dxcc);

 private:
  struct THash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
  };
  std::unique_ptr<TdbPrefix> prefixes_;
  std::unordered_map<std::string, std::string, THash, std::equal_to<>> known_;  // asked with the text in hand
};
