#pragma once
// TAlleRout: the one output frame through which every export, printed list
// and E-Log file is written. It hides whether the lines go to the printer or
// to a text file: writers call WriteLine and a few shared operations; the
// output driver opens and closes the output around them. The frame also owns
// the save dialog with its default file name, the score trailer of the lists,
// the column-width pass of the lists and the totals of the log.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestRec.h"
#include "contest/LogServices.h"
#include "database/contestrecords.h"
#include "base/textwriter.h"
#include "outputs/outprinter.h"

class TdbContest;
class TdbContestBase;

// The output codes derived from the output kinds (contest/ContestRec.h).
namespace OutputCode {
constexpr uint8_t Printer = 0;
constexpr uint8_t ELog = 1;
constexpr uint8_t Stf = 2;
constexpr uint8_t Adif = 3;
constexpr uint8_t Cabrillo = 4;
constexpr uint8_t Csv = 5;
constexpr uint8_t Edi = 6;
}  // namespace OutputCode

// The output code of an output kind; kinds above 16 give the E-Log code.
uint8_t OutputCodeOfKind(uint8_t kind);

// A text file as the outputs write it: Windows-1252 bytes as given, CR LF
// after every line, no BOM. Lines are gathered in a buffer of the file and
// written in large blocks; a failed write or close throws
// std::runtime_error with a German message.
class TOutputLineFile {
 public:
  TOutputLineFile() = default;
  ~TOutputLineFile();
  TOutputLineFile(const TOutputLineFile&) = delete;
  TOutputLineFile& operator=(const TOutputLineFile&) = delete;

  // Creates the file empty (an existing one is overwritten); false when it
  // cannot be created.
  bool Create(const std::string& fileName);
  bool IsOpen() const { return file_ != nullptr; }
  void WriteLine(std::string_view line);
  // Hands what was written so far to the operating system, so that the file
  // is complete on disk while the program still holds it open.
  void Flush();
  // Closes the file; throws when the last bytes cannot be written. Closing
  // a closed file does nothing.
  void Close();

 private:
  // Writes the gathered lines to the file; throws when they cannot be written.
  void WritePending();

  std::FILE* file_ = nullptr;
  std::string name_;
  std::string pending_;
};

// A record of the QSO log that carries a band change instead of a QSO
// (marker other than 0 or blank); such rows appear in no output.
inline bool IsBandChangeMarker(uint8_t marker) { return marker != 0 && marker != ' '; }

// Does a QSO (day number, seconds since midnight) pass the period filter?
// Window 1's from time 0 lets every QSO pass.
bool PassesPeriodFilter(const TOutputFilter& filter, int32_t datum, int32_t zeit);

// Every record of a QSO log (band changes too) in record-number order, read
// in one pass over the table: a list that needs the log more than once
// (column widths, period points, the lines) walks the storage only once.
std::vector<TContestQsoRecord> LogRecordsInOrder(TdbContest& log);
// The same for the log of number nummer, opened for the read.
std::vector<TContestQsoRecord> LogRecordsInOrder(int32_t nummer);
// The records of a log as the writers of one output share them.
using TLogRecords = std::vector<TContestQsoRecord>;

class TAlleRout;

// The writer of one line format (STF, ADIF, Cabrillo, EDI) as the output
// driver runs it: the header, one line per exported QSO and the trailer.
// What the lines of one file share (the log's records of the list record,
// the own station, the totals) is read once by the header.
class TQsoFormatWriter {
 public:
  virtual ~TQsoFormatWriter() = default;
  // The header of the file (bandLetter 0 for the whole log). qsos: the
  // log's records in record-number order when the caller has read them
  // already; none: the writer reads what it needs itself.
  virtual void WriteHeader(TAlleRout& out, const TContestRec& description,
                           TdbContest& contestList, TdbContest& extra, char bandLetter,
                           const TLogRecords* qsos = nullptr) = 0;
  // The line of one QSO record, written by the line's writer (the caller's
  // one writer serves every line of the file); runningNumber counts the
  // exported QSOs from 1. Lines follow their header.
  virtual void BuildQsoLine(TAlleRout& out, int32_t runningNumber, const TContestRec& description,
                            const TContestQsoRecord& qso, TdbContest& contestList,
                            TTextWriter& line) = 0;
  // The line of the QSO the log table stands on.
  std::string QsoLine(TAlleRout& out, int32_t runningNumber, const TContestRec& description,
                      TdbContest& log, TdbContest& contestList);
  // The lines after the last QSO (none by default).
  virtual void WriteTrailer(TAlleRout& out, const TContestRec& description,
                            TdbContest& contestList, TdbContest& extra) {
    (void)out, (void)description, (void)contestList, (void)extra;
  }
};

// Installs the writer of an output code (2 STF, 3 ADIF, 4 Cabrillo, 6 EDI;
// not owned, nullptr removes); returns the previous one.
TQsoFormatWriter* SetQsoFormatWriter(uint8_t outputCode, TQsoFormatWriter* writer);
TQsoFormatWriter* QsoFormatWriter(uint8_t outputCode);

// Shows a written file in the file viewer; installed by the viewer's unit,
// none installed: the file is not shown.
using TOutputFileViewer = std::function<void(const std::string& fileName)>;
TOutputFileViewer SetOutputFileViewer(TOutputFileViewer viewer);

class TAlleRout {
 public:
  TAlleRout() = default;
  TAlleRout(const TAlleRout&) = delete;
  TAlleRout& operator=(const TAlleRout&) = delete;

  // Starts an output of the kind: for the paper kinds the print dialog runs
  // and the printer document begins. False only when the user cancels.
  bool BeginOutput(uint8_t kind);
  // For the file kinds (6 to 15) asks for the output file and creates it;
  // true for the paper kinds. contestList stands on the current contest;
  // description supplies the class names of the default file name (none:
  // the definition of the record's contest letter).
  bool SelectOutputFile(uint8_t kind, TdbContest& contestList,
                        const TContestRec* description = nullptr);
  // Writes one line to the printer at (x, y) or to the file; E-Log lines
  // get a five-blank indent, STF and Cabrillo lines are upper-cased.
  void WriteLine(std::string_view text, bool resetX = true, bool advance = true);
  // One field of a fixed-column line: trimmed for ADIF and CSV, else cut or
  // blank-padded to exactly width characters.
  std::string FitField(std::string_view text, int width) const;
  // The same field written by a line's writer.
  void WriteField(TTextWriter& line, std::string_view text, int width) const;
  // Top margin of 1 cm, x at the left margin.
  void ResetPosition();
  // Printer only: starts a new page when the next line would not fit; the
  // caller then resets the position and repeats its header.
  bool NewPageIfNeeded();
  // Printer only: an unconditional new page.
  void NewPage();
  // Printer only: a new page unless nothing is printed on the current one,
  // so that a list following another one in the same job never overprints it.
  void StartOnFreshPage();
  void BoldOn();
  void BoldOff();
  // Printer only: ends the document.
  void EndPrinting();
  // Closes the output file; the cover sheet, E-Log list, STF, Cabrillo and
  // EDI files are then shown in the file viewer.
  void CloseOutputFile();
  // "Datei <name> wurde erstellt."
  void ReportFileCreated();
  // The score lines at the end of printed and E-Log lists, right-aligned to
  // lineWidth; extra is the contest settings table on the current contest.
  // The score is the log's claimed score (ComputeTotals runs before).
  void WriteScoreTrailer(int lineWidth, const TContestRec& contest, TdbContest& extra);
  // The column widths of the QSO lists over the log (its records as
  // LogRecordsInOrder gives them); callOnly: the call column's alone, the
  // one the STF and Cabrillo lines use (the others as over an empty log).
  void MeasureListColumns(const TContestRec& contest, TdbContest& log);
  void MeasureListColumns(const TContestRec& contest, const std::vector<TContestQsoRecord>& qsos,
                          bool callOnly = false);
  // Fills the multiplier counts, total multipliers, total points and QSO
  // count from the contest list record and the contest settings record.
  void ComputeTotals(TdbContest& contestList, TdbContest& extra);
  // Total points := the points of the QSOs inside the period.
  void RecountPointsInPeriod(const TOutputFilter& period, TdbContest& log);
  void RecountPointsInPeriod(const TOutputFilter& period, const std::vector<TContestQsoRecord>& qsos);

  static std::string SentExchangeText(const TdbContestBase& qso);
  static std::string ReceivedExchangeText(const TdbContestBase& qso);
  static bool IsAllDigits(std::string_view text);
  // The own callsign in its file-name form and the class-name suffix of the
  // default file name.
  static std::string OwnCallForFileName();
  static std::string FileNameSuffix(std::string_view name);

  uint8_t OutputKind() const { return outputKind_; }
  uint8_t Code() const { return outputCode_; }
  bool IsPrinter() const { return outputCode_ == OutputCode::Printer; }
  bool English() const { return english_; }
  void SetEnglish(bool english) { english_ = english; }
  const std::string& FileName() const { return fileName_; }
  int PageNumber() const;
  TOutputPrinter* Printer() { return printer_.get(); }

  // Print position and metrics (pixels; 1 for files).
  int32_t X = 0;
  int32_t Y = 0;
  int32_t LineHeight = 1;
  double Resolution = 1.0;
  int32_t LeftMargin = 1;

  // Totals of the log (ComputeTotals, RecountPointsInPeriod).
  int32_t MultiCount1 = 0, MultiCount2 = 0, MultiCount3 = 0;
  int32_t TotalMultipliers = 0;
  int32_t TotalPoints = 0;
  int32_t QsoCount = 0;

  // List column widths (MeasureListColumns).
  int32_t SentWidth = 0;
  int32_t ReceivedWidth = 0;
  int32_t CallWidth = 0;
  int32_t PointsWidth = 0;
  int32_t ExchangeWidth1 = 0, ExchangeWidth2 = 0, ExchangeWidth3 = 0;

  // ADIF: only the RS(T) of the exchange goes into the records (the driver
  // asks before the QSO loop).
  bool RstOnly = true;

 private:
  bool ChooseOutputFile(const std::string& title, const std::string& extension,
                        TdbContest& contestList, const TContestRec* description);

  uint8_t outputKind_ = 0;
  uint8_t outputCode_ = OutputCode::ELog;
  bool english_ = false;
  std::string fileName_;
  TOutputLineFile file_;
  std::string lineBuffer_;  // the line as the file gets it
  std::unique_ptr<TOutputPrinter> printer_;
  bool printing_ = false;
  bool pagePrinted_ = false;
  // The contest list record the totals were taken from: it tells where the
  // log keeps its per-band totals for the score.
  TContestRecord totalsRecord_{};
};

// The one frame of the program.
extern TAlleRout AlleRout;
