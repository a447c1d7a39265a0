#pragma once
// The services of later layers that the contest module starts: the log
// outputs (writers, print job, period choice) and the memo window. Those
// layers register their implementation at start; tests register fakes.
// Nothing registered: an output is not started and the memo window shows
// nothing. (The log window is reached through ContestEntries.)
#include <array>
#include <cstdint>
#include <string>

class QWidget;
class TdbContest;
struct TContestRec;

// The period filter handed to the writers: all zero is the whole log;
// value 1 the start time, value 5 the end time (seconds since midnight).
using TOutputFilter = std::array<int32_t, 16>;

// The log-output writer with its print job and output file.
class TLogOutputWriter {
 public:
  virtual ~TLogOutputWriter() = default;
  // Starts an output of kind 0-16; false when the user cancelled.
  virtual bool BeginOutput(int kind) = 0;
  // Asks for the output file of the file kinds; false when cancelled.
  virtual bool SelectOutputFile(int kind, TdbContest& contestTable) = 0;
  virtual void SetEnglish(bool english) = 0;
  virtual void NewPage() = 0;
  virtual void EndPrinting() = 0;
  virtual void CloseOutputFile() = 0;
  // Notice that the output file was written.
  virtual void ReportFileCreated() = 0;
  virtual void WriteELogCoverSheet(const TContestRec& description, const TOutputFilter& filter,
                                   TdbContest& contestTable, TdbContest& extraTable) = 0;
  virtual bool WriteMultiCheckList(const TContestRec& description, TdbContest& contestTable,
                                   TdbContest& extraTable) = 0;
  virtual bool WriteBandList(const TContestRec& description, const TOutputFilter& filter,
                             TdbContest& contestTable, TdbContest& extraTable) = 0;
  // False after a completed single pass (the file is then reported).
  virtual bool WriteQSOListing(const TContestRec& description, const TOutputFilter& filter,
                               TdbContest& contestTable, TdbContest& extraTable) = 0;
  // The period dialog of the day contests; true on OK with from and to as
  // "hh:mm".
  virtual bool ChoosePeriod(QWidget* owner, int32_t nummer, std::string& from, std::string& to) = 0;
};

// Window bounds of the memo window: left, top, right, bottom.
struct TMemoBounds {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The memo window on a text file.
class TMemoWindow {
 public:
  virtual ~TMemoWindow() = default;
  // bounds nullptr: the window's own default position. result: the bounds
  // the user left the window with. afterFirstLine: the cursor starts at the
  // end of the file's first line (a note's text follows its stamp there),
  // else at the start of the file.
  virtual void Memo(const std::string& caption, const TMemoBounds* bounds,
                    const std::string& fileName, TMemoBounds& result, bool afterFirstLine) = 0;
};

// Registry: each setter installs (not owned; nullptr removes) and returns
// the previous one; the getters return nullptr when none is installed.
TLogOutputWriter* SetLogOutputWriter(TLogOutputWriter* writer);
TLogOutputWriter* LogOutputWriter();
TMemoWindow* SetMemoWindow(TMemoWindow* memo);
TMemoWindow* MemoWindow();
