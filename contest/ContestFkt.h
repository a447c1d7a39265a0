#pragma once
// TContestFkt: the contest module's function object. It fills the contest
// description for a letter from the contest list and the settings, names the
// contests and their pictures, tells this edition's own contest, and turns
// the exchange of a QSO record into one text and back.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "contest/ContestDefs.h"
#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "database/dbContestBase.h"
#include "database/setuprecords.h"

class QWidget;
class TdbContest;

// The contest-list table as the definitions use it: positioned on the log's
// record, they read its edit copy and write the working copy back.
class TContestListAccess {
 public:
  virtual ~TContestListAccess() = default;
  // Reference of the record the table stands on; 0 when it stands on none.
  virtual int32_t CurrentRef() = 0;
  virtual void GetContestRecord(TContestRecord& record) = 0;
  virtual void SetContestRecord(const TContestRecord& record) = 0;
  // Rewrites the current record from the edit copy; 0 on success.
  virtual int Update() = 0;
};

// The contest-list table object itself as the definitions use it.
class TContestListOnTable : public TContestListAccess {
 public:
  explicit TContestListOnTable(TdbContestBase& table) : table_(table) {}
  int32_t CurrentRef() override { return table_.CurrentRef(); }
  void GetContestRecord(TContestRecord& record) override { table_.GetContestRecord(record); }
  void SetContestRecord(const TContestRecord& record) override { table_.SetContestRecord(record); }
  int Update() override { return table_.Update() ? 0 : 1; }

 private:
  TdbContestBase& table_;
};

// What the definitions take from outside the contest list; tests replace
// them. Empty functions fall back to the settings' own-station record, the
// system time zone, today's local date and the settings' contest directory.
struct TContestServices {
  std::function<ToSetupStation()> Station;
  std::function<int()> UtcBiasMinutes;
  std::function<int32_t()> Today;
  std::function<std::string()> ContestDirectory;  // ends in "/" unless empty
  TContestFileReader* Files = nullptr;  // none: the files of the program directory
};

// Reads station files from the program directory, where the set-up dialog
// writes them.
class TProgramFileReader : public TContestFileReader {
 public:
  bool ReadLines(const std::string& fileName, std::vector<std::string>& lines) override;
};

class TContestFkt {
 public:
  TContestFkt() = default;

  TContestServices& Services() { return services_; }

  // Fills rec for the letter from the log's record on which the table
  // stands, writes the working copy back into the table's edit record and,
  // with writeBack, rewrites the table record. A table that stands on no
  // record (or none at all) is treated as a new log.
  void DefineContest(TContestRec& rec, TContestListAccess* table, char letter, bool writeBack);
  void DefineContest(TContestRec& rec, TdbContestBase& table, char letter, bool writeBack) {
    TContestListOnTable access(table);
    DefineContest(rec, &access, letter, writeBack);
  }
  // Fills rec for a log not yet stored: from a cleared contest-list record,
  // whatever record the table stands on, and without touching the table.
  void DefineNewContest(TContestRec& rec, char letter);

  // The sent and received exchange texts of a QSO (at most 20 characters),
  // and their storage into the four fixed parts of each direction.
  static std::string GetSentExchange(const TContestQsoRecord& qso);
  static std::string GetReceivedExchange(const TContestQsoRecord& qso);
  // The same texts written into a buffer of the caller, the view pointing
  // into it: the lines of thousands of QSOs make no string for them.
  using TExchangeBuffer = std::array<char, 20>;
  static std::string_view SentExchange(const TContestQsoRecord& qso, TExchangeBuffer& buffer);
  static std::string_view ReceivedExchange(const TContestQsoRecord& qso, TExchangeBuffer& buffer);
  static void SetSentExchange(std::string_view text, TContestQsoRecord& qso);
  static void SetReceivedExchange(std::string_view text, TContestQsoRecord& qso);

  // Display name (in double quotes) and picture file of a contest letter;
  // both stay as they were for a letter without a name.
  void GetContestTitle(char letter, std::string& name, std::string& picturePath) const;

  // This edition's own contest letter, window caption, title picture
  // resource and notice line.
  static void GetEditionInfo(char& letter, std::string& versionLine, std::string& titleBitmap,
                             std::string& noticeLine);

  // --- actions on one contest log --------------------------------------------
  // Runs the set-up dialog (letter '\0': nothing, 0). Result: the reference
  // of the contest-list record when the user started the contest, else 0.
  int32_t ContestSetup(char letter, bool recordExists, bool editOnly, TdbContest& contestTable,
                       TdbContest& extraTable, TContestRec* description = nullptr);
  // Makes sure the log's extra record exists and keeps the log's claimed
  // totals (ref > 0: the contest list is moved to that record first); false
  // when it is missing and cannot be added, or the totals cannot be moved.
  bool EnsureExtraRecord(int32_t ref, TdbContest& contestTable, TdbContest& extraTable);
  // Deletes a log with its QSO-log files, extra record and list record,
  // after two questions.
  void DeleteContest(TdbContest& contestTable, TdbContest& extraTable, int32_t ref);
  // Opens the log window of the log the contest list stands on.
  void OpenLog(QWidget* owner, const TContestRec& description, TdbContest& contestTable,
               TdbContest& extraTable);
  // Stamps the note file with date, time and the current QSO's call and
  // opens it in the memo window at the bounds kept in the contest-list record.
  void EditNote(const std::string& fileName, TdbContest& contestTable, TdbContestBase& qsoTable);
  // The contest directory of the settings; empty unless set.
  std::string ContestDir() const { return ContestDirectory(); }
  // The folder that rules documents and station files of the contests are
  // looked up in: the contest directory when it is set, else the program
  // directory; ends in "/".
  std::string ContestFolder() const;
  // Shows the contest rules: the organiser's web page, a PDF or the rules
  // text in the memo window.
  void ShowRules(char letter);

 private:
  TContestEnvironment Environment() const;
  void Define(TContestRec& rec, TContestRecord& listRecord, char letter) const;
  std::string ContestDirectory() const;

  TContestServices services_;
};

// The global instance, alive for the whole run.
extern TContestFkt ContestFkt;
