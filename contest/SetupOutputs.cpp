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

using K = OutputKind;
using E = OutputElement;
constexpr TEntryDef kEntries[] = {
    {"DruckCabrillo", "Cabrillo-Datei (empfohlen)", K::Cabrillo, E::Cabrillo},
    {"DruckSTF", "STF-Datei (empfohlen)", K::Stf, E::Stf},
    {"DruckEDI", "EDI-Datei (empfohlen)", K::Edi, E::Edi},
    {"N3", "-", -1, -1},
    {"ELogGesamtdatei1", "E-Log Gesamtdatei", K::ELogWhole, 0},
    {"DruckELogDeckblatt", "E-Log Deckblatt", K::ELogCoverSheet, E::ELogCoverSheet},
    {"DruckELogListe", "E-Log QSO-Liste", K::ELogList, E::ELogList},
    {"DruckEBandliste", "E-Log Band-Liste", K::ELogBandList, E::ELogBandList},
    {"DruckEMultiliste", "E-Log Multi-Checkliste", K::ELogMultiCheck, E::ELogMultiCheck},
    {"N1", "-", -1, -1},
    {"DruckADIF", "ADIF- Exportdatei der QSO-Liste", K::Adif, E::Adif},
    {"DruckCSV", "CSV- Exportdatei der QSO-Liste", K::Csv, 0},
    {"N2", "-", -1, -1},
    {"DruckPapierDeckblatt", "Papierlog - Deckblatt", K::PaperCoverSheet, E::PaperCoverSheet},
    {"DruckPapierListe", "Papierlog - QSO-Liste", K::PaperList, E::PaperList},
    {"DruckPapierBandliste", "Papierlog - Band-Liste", K::PaperBandList, E::PaperBandList},
    {"DruckPapierMultiListe", "Papierlog - Multi-Checkliste", K::PaperMultiCheck, E::PaperMultiCheck},
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
    if (e.Item == "ELogGesamtdatei1" && IsMembershipYearsContest(letter)) e.Kind = OutputKind::ELogSpare;
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
  const bool paperAll = kind == K::PaperAll;
  if (kind == K::PaperCoverSheet || paperAll) {
    writer.WriteELogCoverSheet(d, filter, contestTable, extraTable);
    if (paperAll) writer.NewPage();
  }
  if (kind == K::PaperMultiCheck || paperAll) writer.WriteMultiCheckList(d, contestTable, extraTable);
  if (kind == K::PaperBandList || paperAll) writer.WriteBandList(d, filter, contestTable, extraTable);
  if (kind == K::PaperList || paperAll) writer.WriteQSOListing(d, filter, contestTable, extraTable);
  if (kind == K::ELogCoverSheet || kind == K::ELogWhole) writer.WriteELogCoverSheet(d, filter, contestTable, extraTable);
  if (kind == K::ELogList || kind == K::ELogWhole) {
    contestTable.GetContestRecord(record);
    if (letter == 'i' && kind == K::ELogWhole)
      report(writer.WriteBandList(d, filter, contestTable, extraTable));
    else
      report(writer.WriteQSOListing(d, filter, contestTable, extraTable));
  }
  if (kind == K::ELogBandList) report(writer.WriteBandList(d, filter, contestTable, extraTable));
  if (kind == K::ELogMultiCheck) report(writer.WriteMultiCheckList(d, contestTable, extraTable));
  if (kind == K::Stf || kind == K::Adif || kind == K::Csv || kind == K::Cabrillo || kind == K::Edi)
    report(writer.WriteQSOListing(d, filter, contestTable, extraTable));
}
