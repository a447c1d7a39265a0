#pragma once
// The REG1TEST log of the VHF/UHF contests (".EDI"): a header that asks the
// participant form for the station details, then one line per QSO. The six
// texts that rarely change (club, DOK, e-mail, power, transceiver, antenna)
// are kept in "editemp.txt" for the next export.
#include <cstdint>
#include <string>
#include <vector>

#include "database/contestrecords.h"
#include "outputs/exportlog.h"
#include "outputs/linetexts.h"

class TdbContest;

// What the header counts over the QSOs the file lists (band-change rows
// are no QSO lines), so that every count equals the lines written and every
// sum the sum of the lines.
struct TEdiScan {
  int32_t Records = 0;   // QSO lines
  int32_t Points = 0;    // sum of the lines' points
  int32_t Prefixes = 0;  // distinct DXCC prefixes of the lines (case ignored, empty ones not counted)
  int32_t Squares = 0;   // distinct large squares of the lines' locators (empty ones not counted)
  std::string BestDx;    // call;locator;km of the first QSO with the largest distance
};
TEdiScan EdiScanLog(const std::vector<TContestQsoRecord>& qsos);

// The texts of the participant form, named after its fields.
struct TEdiParticipant {
  std::string pcall, ploc, padr1, padr2, pband, pclub1 = "DARC", pclub2;
  std::string radr1, radr2, rname, rpoco, rcity, rcoun;
  std::string mope1, mope2;
  std::vector<std::string> rremarks;
  std::string rtrx, rant, rpower, remail, psect;
  bool cspeichern = false;
};

// The choices of the band and section boxes; section items end in a tab
// (letter '8' has its own three sections without one).
const std::vector<std::string>& EdiBandItems();
std::vector<std::string> EdiSectionItems(char letter);

// The form's texts prefilled from the log, the settings and its class.
TEdiParticipant EdiPrefill(const TExportLog& log);
// The six kept texts in file order, and their return into the form; lines
// of another count than six are ignored (false).
std::vector<std::string> EdiKeptTexts(const TEdiParticipant& p);
bool EdiApplyKeptTexts(TEdiParticipant& p, const std::vector<std::string>& lines);
// The file the six texts are kept in, in the program directory.
std::string EdiKeptFileName();

// The header lines; stamp is the local "dd.mm.yyyy hh:mm:ss" of the export.
// The claimed total score is the log's claimed score of every output.
std::vector<std::string> EdiHeaderLines(const TExportLog& log, const TEdiParticipant& p,
                                        const TEdiScan& scan, const std::string& stamp);
// The QSO record line of one QSO, or written by a line's writer with the
// texts of the earlier lines.
std::string EdiQsoText(const TContestQsoRecord& qso);
void WriteEdiQsoText(TTextWriter& line, const TContestQsoRecord& qso, TLineTexts& texts);

// The participant form as the header runs it; tests install their own.
class TEdiParticipantForm {
 public:
  virtual ~TEdiParticipantForm() = default;
  // Shows the texts for editing; they are used however the form is closed.
  virtual void Run(TEdiParticipant& p, const std::string& caption,
                   const std::vector<std::string>& sections) = 0;
};
// Installs a form (nullptr: the program's dialog); returns the previous one.
TEdiParticipantForm* SetEdiParticipantForm(TEdiParticipantForm* form);

// The whole header step: scans the log's QSOs (qsos, when the caller has
// read them; none: the log's table), runs the form with the prefilled and
// kept texts, keeps the six texts again and returns the lines.
std::vector<std::string> EdiHeaderForLog(const TExportLog& log,
                                         const std::vector<TContestQsoRecord>* qsos = nullptr);

// The writer entries on the output frame.
class TAlleRout;
void WriteEdiHeader(TAlleRout& out, const TContestRec& description, TdbContest& contestList,
                    const std::vector<TContestQsoRecord>* qsos = nullptr);
