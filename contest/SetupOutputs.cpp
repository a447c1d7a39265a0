#include "contest/SetupOutputs.h"

#include "contest/LetterRules.h"
#include "contest/LogServices.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "platform/messages.h"

namespace {

struct TEntryDef {
  const char* Item;
  const char* Caption;
  int Kind;
  int Element;  // element of OutputKinds that enables it; 0 always enabled, -1 separator
};

constexpr TEntryDef kEntries[] = {
    {"DruckCabrillo", "Cabrillo-Datei (empfohlen)", 10, 9},
    {"DruckSTF", "STF-Datei (empfohlen)", 8, 3},
    {"DruckEDI", "EDI-Datei (empfohlen)", 15, 13},
    {"N3", "-", -1, -1},
    {"ELogGesamtdatei1", "E-Log Gesamtdatei", 12, 0},
    {"DruckELogDeckblatt", "E-Log Deckblatt", 6, 1},
    {"DruckELogListe", "E-Log QSO-Liste", 7, 2},
    {"DruckEBandliste", "E-Log Band-Liste", 11, 10},
    {"DruckEMultiliste", "E-Log Multi-Checkliste", 14, 12},
    {"N1", "-", -1, -1},
    {"DruckADIF", "ADIF- Exportdatei der QSO-Liste", 9, 4},
    {"DruckCSV", "CSV- Exportdatei der QSO-Liste", 13, 0},
    {"N2", "-", -1, -1},
    {"DruckPapierDeckblatt", "Papierlog - Deckblatt", 0, 5},
    {"DruckPapierListe", "Papierlog - QSO-Liste", 4, 6},
    {"DruckPapierBandliste", "Papierlog - Band-Liste", 3, 7},
    {"DruckPapierMultiListe", "Papierlog - Multi-Checkliste", 2, 8},
};

// Ends the print job and closes the output file however the writers end.
class TOutputEnd {
 public:
  explicit TOutputEnd(TLogOutputWriter& writer) : writer_(writer) {}
  ~TOutputEnd() {
    try {
      writer_.EndPrinting();
    } catch (...) {
    }
    try {
      writer_.CloseOutputFile();
    } catch (...) {
    }
  }
  TOutputEnd(const TOutputEnd&) = delete;
  TOutputEnd& operator=(const TOutputEnd&) = delete;

 private:
  TLogOutputWriter& writer_;
};

}  // namespace

std::vector<TOutputMenuEntry> OutputMenuEntries(const TContestRec& description, char letter) {
  std::vector<TOutputMenuEntry> entries;
  for (const TEntryDef& d : kEntries) {
    TOutputMenuEntry e;
    e.Item = d.Item;
    e.Caption = d.Caption;
    e.Kind = d.Kind;
    if (d.Element < 0) {
      e.Item.clear();
    } else if (d.Element > 0) {
      e.Enabled = description.OutputKinds.Contains(d.Element);
    }
    if (!e.Enabled && e.Item == "DruckSTF") e.Caption = "STF-Datei";
    if (!e.Enabled && e.Item == "DruckEDI") e.Caption = "EDI-Datei";
    if (e.Item == "ELogGesamtdatei1" && IsMembershipYearsContest(letter)) e.Kind = 16;
    entries.push_back(e);
  }
  return entries;
}

void RunOutput(uint8_t kind, char letter, const TContestRec& description, TdbContest& contestTable,
               TdbContest& extraTable, QWidget* owner, TLogOutputWriter& writer) {
  TOutputFilter filter{};
  TContestRecord record{};
  contestTable.GetContestRecord(record);
  // Reading a lost QSO file would make an empty one in its place, and the
  // output would claim a log without QSOs.
  if (const std::string lost = LostQsoFile(record); !lost.empty()) {
    ToMessages.Fehler("Die QSO-Datei " + lost + " dieses Logs fehlt. Es wird keine Ausgabe erstellt, und "
                      "es wird keine leere Datei an ihrer Stelle angelegt. Legen Sie die Datei (etwa aus "
                      "einer Datensicherung) wieder in das Programmverzeichnis.");
    return;
  }
  if (letter == 'E') {
    std::string from, to;
    if (writer.ChoosePeriod(owner, rec::GetInt32(record.data(), crec::kNummer), from, to)) {
      filter[0] = ToDates.TimeStringToTime(from, "hh:mm:ss");
      filter[4] = ToDates.TimeStringToTime(to, "hh:mm:ss");
    }
  }
  if (!writer.BeginOutput(kind)) return;
  if (!writer.SelectOutputFile(kind, contestTable)) return;
  writer.SetEnglish(LanguageFlag == 0);

  TOutputEnd end(writer);
  const TContestRec& d = description;
  auto report = [&](bool written) {
    if (!written) writer.ReportFileCreated();
  };
  if (kind == 0 || kind == 5) {
    writer.WriteELogCoverSheet(d, filter, contestTable, extraTable);
    if (kind == 5) writer.NewPage();
  }
  if (kind == 2 || kind == 5) writer.WriteMultiCheckList(d, contestTable, extraTable);
  if (kind == 3 || kind == 5) writer.WriteBandList(d, filter, contestTable, extraTable);
  if (kind == 4 || kind == 5) writer.WriteQSOListing(d, filter, contestTable, extraTable);
  if (kind == 6 || kind == 12) writer.WriteELogCoverSheet(d, filter, contestTable, extraTable);
  if (kind == 7 || kind == 12) {
    contestTable.GetContestRecord(record);
    if (letter == 'i' && kind == 12)
      report(writer.WriteBandList(d, filter, contestTable, extraTable));
    else
      report(writer.WriteQSOListing(d, filter, contestTable, extraTable));
  }
  if (kind == 11) report(writer.WriteBandList(d, filter, contestTable, extraTable));
  if (kind == 14) report(writer.WriteMultiCheckList(d, contestTable, extraTable));
  if (kind == 8 || kind == 9 || kind == 13 || kind == 10 || kind == 15)
    report(writer.WriteQSOListing(d, filter, contestTable, extraTable));
}
