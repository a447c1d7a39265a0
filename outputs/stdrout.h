#pragma once
// The output driver: the writers behind the output menu (cover sheet, QSO
// list once or per band, multiplier check list), the QSO loop they share
// with its period filter, page breaks and trailers, and the list and CSV
// lines with their page header. Installed as the contest module's
// log-output writer by InstallLogOutputs.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "contest/ContestRec.h"
#include "contest/LogServices.h"
#include "outputs/allerout.h"
#include "outputs/linetexts.h"
#include "outputs/listcolumns.h"

class QWidget;
class TdbContest;

// --- list lines, CSV and page header ---------------------------------------------

// The title line and the column captions of a list (bandLetter 0: the whole
// log); CSV gets the caption line only.
void WriteListPageHeader(TAlleRout& out, const TContestRec& contest, TdbContest& contestList,
                         char bandLetter);
// The list or CSV line of the QSO the log stands on.
std::string ListQsoLine(TAlleRout& out, int32_t runningNumber, const TContestRec& contest,
                        TdbContest& log, TdbContest& contestList);
// The same line of a QSO record written by the line's writer; letter is the
// log's contest letter, texts those of the list's earlier lines.
void WriteListQsoLine(TTextWriter& line, const TAlleRout& out, int32_t runningNumber,
                       const TContestRec& contest, const TContestQsoRecord& qso, char letter,
                       TLineTexts& texts);
// The same with the list's columns, made once for all its lines.
void WriteListQsoLine(TTextWriter& line, const TAlleRout& out, const TListColumns& columns,
                       int32_t runningNumber, const TContestRec& contest, const TContestQsoRecord& qso,
                       char letter, TLineTexts& texts);
// The call (up to its first "/") is one of the call list, or the list is empty.
bool IsListedCall(const TContestRec& contest, std::string_view call);

// --- the driver -----------------------------------------------------------------------

// The period dialog of the day contests: true on OK with from and to as
// "hh:mm" or "hh:mm:ss". Installed by the dialog's unit at start; none
// installed: no period, the output covers the whole log.
using TPeriodChooser =
    std::function<bool(QWidget* owner, int32_t nummer, std::string& from, std::string& to)>;
TPeriodChooser SetPeriodChooser(TPeriodChooser chooser);

class TStdRout : public TLogOutputWriter {
 public:
  explicit TStdRout(TAlleRout& out = AlleRout) : out_(out) {}

  bool BeginOutput(int kind) override;
  bool SelectOutputFile(int kind, TdbContest& contestTable) override;
  void SetEnglish(bool english) override { out_.SetEnglish(english); }
  void NewPage() override { out_.NewPage(); }
  void EndPrinting() override;
  void CloseOutputFile() override;
  void ReportFileCreated() override { out_.ReportFileCreated(); }
  void WriteELogCoverSheet(const TContestRec& description, const TOutputFilter& filter,
                           TdbContest& contestTable, TdbContest& extraTable) override;
  bool WriteMultiCheckList(const TContestRec& description, TdbContest& contestTable,
                           TdbContest& extraTable) override;
  bool WriteBandList(const TContestRec& description, const TOutputFilter& filter,
                     TdbContest& contestTable, TdbContest& extraTable) override;
  bool WriteQSOListing(const TContestRec& description, const TOutputFilter& filter,
                       TdbContest& contestTable, TdbContest& extraTable) override;
  bool ChoosePeriod(QWidget* owner, int32_t nummer, std::string& from, std::string& to) override;

  // Header, QSO lines and trailer, once or per band; false when the list
  // was written as one (the caller reports the file).
  bool WriteQSOListing(const TContestRec& description, const TOutputFilter& filter,
                       TdbContest& contestTable, bool perBand, TdbContest& extraTable);

 private:
  void WriteListHeader(const TContestRec& description, TdbContest& contestList,
                       TdbContest& extra, char bandLetter, const TLogRecords& qsos);
  void WriteBandSeparator();
  void WriteQsoLines(const TContestRec& description, const TOutputFilter& filter,
                     TdbContest& contestList, TdbContest& extra, const TLogRecords& qsos,
                     char bandLetter, bool perBand);
  void WriteMultiHeader(const TContestRec& description);

  // The records of log nummer in record-number order. While an output runs
  // (BeginOutput to EndPrinting or CloseOutputFile) its writers share one
  // read: the cover sheet and the list of the E-Log total file walk the
  // storage once. Outside an output every call reads the log afresh.
  std::shared_ptr<const TLogRecords> LogRecords(int32_t nummer);
  void DropRecords();

  TAlleRout& out_;
  bool sharing_ = false;
  std::shared_ptr<const TLogRecords> records_;
  std::string recordsOf_;  // program directory and number of the log records_ holds
};

// Installs the log outputs into the contest module (called once at start).
void InstallLogOutputs();
