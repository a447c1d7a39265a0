#include "contest/ContestBrowCtrl.h"

#include <QDir>
#include <algorithm>
#include <vector>

#include "contest/ContestEntries.h"
#include "contest/ContestFkt.h"
#include "contest/ContestLogActions.h"
#include "database/dbContestDat.h"
#include "database/dbProject.h"
#include "database/dbSetup.h"
#include "database/filemanager.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "database/setups.h"
#include "prefix/dbPrefix.h"
#include "prefix/dbPrefixDat.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "storage/ifderrors.h"
#include "ui/kxbrow.h"

const char* const kPrefixMissingText =
    "Achtung: Die Präfixdatei konnte nicht gefunden werden bzw. ist leer. Ohne diese Datei "
    "kann das Programm nicht korrekt arbeiten! Starten Sie das Programm mit „./start.sh“: "
    "es erzeugt fehlende Präfixtabellen aus der Länderliste cty.csv (von Hand: mit dem "
    "Werkzeug mkprefix).";

namespace {

constexpr int kListNumber = 48;

const char* const kPrefixRebuildText =
    "So werden die Tabellen neu erzeugt: Programm beenden, im Programmverzeichnis die "
    "Dateien ZQPREFIX.DAT, ZQPREFEE.DAT und ZQPREFES.DAT löschen und das Programm mit "
    "„./start.sh“ wieder starten – es erzeugt fehlende Präfixtabellen aus der Länderliste "
    "cty.csv (von Hand: mit dem Werkzeug mkprefix).";

std::string PrefixDamagedText(const std::string& fileName) {
  return "Die Präfixdatei " + fileName +
         " ist beschädigt. Ohne die Präfixtabellen kann das Programm Rufzeichen keinem Land "
         "zuordnen.\r" +
         kPrefixRebuildText;
}

std::string PrefixMissingText(const std::vector<std::string>& fileNames) {
  const bool one = fileNames.size() == 1;
  std::string names;
  for (size_t i = 0; i < fileNames.size(); ++i)
    names += (i == 0 ? "" : i + 1 == fileNames.size() ? " und " : ", ") + fileNames[i];
  return (one ? "Die Präfixdatei " + names + " fehlt" : "Die Präfixdateien " + names + " fehlen") +
         " im Programmverzeichnis. Ohne alle drei Präfixtabellen ordnet das Programm manche "
         "Rufzeichen keinem oder einem falschen Land zu.\r" +
         kPrefixRebuildText;
}

std::string DateCell(int32_t day) {
  if (day > 0) return ToDates.DateToDateString(day, "dd.mm.yyyy") + "   ";
  return ToStrings.FixLen("", 13);
}

}  // namespace

std::string ContestRowText(const TContestRecord& record, int keyNumber,
                           const std::string& current) {
  const uint8_t* r = record.data();
  std::string name = rec::GetStr(r, crec::kName, crec::kNameCap) + " ";
  if (name.size() > 26) name.resize(26);
  const std::string from = DateCell(rec::GetInt32(r, crec::kDatumVon));
  const std::string to = DateCell(rec::GetInt32(r, crec::kDatumBis));
  switch (keyNumber) {
    case crec::kKeyTypName: return " " + name + ";" + from + ";" + to;
    case crec::kKeyTypDatumVon: return " " + from + ";" + name + ";" + to;
    default: return current;
  }
}

void ContestHeaderTexts(int keyNumber, bool german, std::string& captions, std::string& footer) {
  const std::string name = ToStrings.FixLen(" Name", 26);
  const std::string from = ToStrings.FixLen(german ? "Datum (von)" : "Date (from)", 13);
  const std::string to = ToStrings.FixLen(german ? "Datum (bis)" : " Date (to) ", 13);
  std::string cols;
  footer.clear();
  if (keyNumber == crec::kKeyTypName) {
    cols = name + ";" + from + ";" + to;
    footer = "Name";
  } else if (keyNumber == crec::kKeyTypDatumVon) {
    cols = from + ";" + name + ";" + to;
    footer = german ? "Datum" : "Date";
  }
  captions = " " + cols + std::string(200, ' ');
  if (captions.size() > 255) captions.resize(255);
}

namespace {

struct TProgramFile {
  const char* name;
  const char* setBack;  // what the file held, now at its defaults
};

constexpr TProgramFile kProgramFiles[] = {
    {"ZQSETUP", "die Programmeinstellungen (eigenes Rufzeichen, Sprache, Stationsdaten und Optionen) "
                "stehen auf den Vorgaben"},
    {"ZQSETUP2", "Farben, Schrift und die Spaltenbreiten der Listen stehen auf den Vorgaben"},
    {"ZQ5PRO", "die gemerkte Position des Fensters „Auswahl DXCC“ ist verloren"},
    {"ZQKZ", "bei jedem Log sind die Optionen „RSTs nicht sperren“ und „nicht gewertete Doppel-QSO in "
             "Log eintragen“ ausgeschaltet; die Summen der Logs werden beim nächsten Öffnen des Logs neu "
             "berechnet"},
};

std::string ProgramFile(const char* name) { return ProgramDirectory + name + ".DAT"; }

}  // namespace

std::vector<std::string> LostProgramFiles() {
  // Every start leaves the contest list behind: a folder that holds it is
  // no first start, even when all the other tables are gone (the logs
  // copied to another computer without them).
  const bool listThere = FileExistsAnsi(ToDatContest.TableFile(kContestList));
  std::vector<std::string> lost;
  bool ranHere = listThere;
  for (const TProgramFile& f : kProgramFiles) {
    if (FileExistsAnsi(ProgramFile(f.name)))
      ranHere = true;
    else
      lost.push_back(f.name);
  }
  // The logs' settings belong to the contest list: without it there is
  // nothing they were kept for (that case is said by itself).
  if (!listThere) std::erase(lost, std::string("ZQKZ"));
  if (!ranHere) lost.clear();
  return lost;
}

std::string LostProgramFilesText(const std::vector<std::string>& files) {
  std::string text = files.size() == 1 ? "Eine Datei des Programms fehlte im Programmverzeichnis "
                                       : "Dateien des Programms fehlten im Programmverzeichnis ";
  text += ProgramDirectory + " und wurde" + (files.size() == 1 ? "" : "n") + " leer neu angelegt:";
  for (const std::string& name : files)
    for (const TProgramFile& f : kProgramFiles)
      if (name == f.name) text += "\r- " + name + ".DAT: " + f.setBack + ".";
  text += "\rLegen Sie die Datei" + std::string(files.size() == 1 ? "" : "en") +
          " (etwa aus einer Datensicherung) bei beendetem Programm wieder in das Programmverzeichnis, "
          "um die alten Einstellungen zurückzuholen.";
  return text;
}

void TContestBrowCtrl::TellLostProgramFiles(const std::vector<std::string>& files) {
  if (!files.empty()) ToMessages.Achtung("Fehlende Dateien", LostProgramFilesText(files));
}

TContestBrowCtrl::TContestBrowCtrl(TkxBrow* grid, char letter, QWidget* owner)
    : TDatenBrowCtrl(grid, 0, nullptr),
      letter_(letter),
      owner_(owner),
      description_(std::make_unique<TContestRec>()) {}

TContestBrowCtrl::~TContestBrowCtrl() { Shutdown(); }

bool TContestBrowCtrl::OpenSetupAndProject() {
  setupOpen_ = ToDatSetup.OpenFiles(KindBit(0));
  if (!setupOpen_) {
    ToMessages.Fehler(
        "Die Einstellungsdatei ZQSETUP konnte nicht geöffnet werden. Das Programm wird beendet.");
    return false;
  }
  TdbSetup setup(0, false);
  if (!setup.FirstOrAdd()) {
    ToMessages.Fehler(
        "Die Einstellungsdatei ZQSETUP konnte nicht gelesen werden. Das Programm wird beendet.");
    return false;
  }
  if (setup.GetProjectNumber() > 0) ToProjecte.SelectProject(setup.GetProjectNumber());

  projectOpen_ = ToDatProject.OpenFiles(KindBit(0));
  if (!projectOpen_) {
    ToMessages.Fehler(
        "Die Projektdatei ZQ5PRO konnte nicht geöffnet werden. Das Programm wird beendet.");
    return false;
  }
  {
    TdbProject project(0, false);
    int32_t current = ToProjecte.CurrentProject();
    if (current > 0 && !project.FindByNumber(current)) current = -1;
    if (current <= 0 && !project.First(1)) project.ClearRecord();
    ToProjecte.SelectProject(project.GetProjectNumber());
  }
  setup.SetProjectNumber(ToProjecte.CurrentProject());
  setup.Update();
  return true;
}

void TContestBrowCtrl::CheckPrefixTable() {
  // Without the prefix tables the program still runs; calls then resolve to nothing.
  // A damaged table is said once, with what to do about it, in place of the
  // storage engine's own report. So is a table whose file is missing while
  // the others are there: opening would make it anew, empty, and the calls
  // it holds the exceptions for would resolve wrongly without a word.
  std::vector<std::string> missing;
  for (uint8_t kind = kPrefixMain; kind <= kPrefixES; ++kind)
    if (!TDatPrefix::TableExists(kind)) missing.push_back(std::string(TDatPrefix::TableName(kind)) + ".DAT");
  if (missing.size() < 3)
    for (uint8_t kind = kPrefixMain; kind <= kPrefixES; ++kind)
      if (!TDatPrefix::TableExists(kind)) ToDatPrefix.KeepMissing(kind);
  bool opened = false;
  {
    TReporterScope scope([](int32_t result, const std::string& text, const auto& outer) {
      if (DriverClassOf(result) != TDriverClass::Damaged && outer) outer(result, text);
    });
    opened = ToDatPrefix.OpenTables(kAllPrefixTables);
  }
  prefixOpen_ = true;  // whatever did open is closed at the end
  if (!opened) {
    // The rebuild a damaged table asks for makes the missing ones too.
    for (uint8_t kind = kPrefixMain; kind <= kPrefixES; ++kind)
      if (ToDatPrefix.IsDamaged(kind)) {
        ToMessages.Fehler(PrefixDamagedText(std::string(TDatPrefix::TableName(kind)) + ".DAT"));
        return;
      }
    if (!missing.empty()) ToMessages.Fehler(PrefixMissingText(missing));
    return;
  }
  TdbPrefix prefix(kPrefixMain);
  if (prefix.UsedRecords() <= 0) ToMessages.Fehler(kPrefixMissingText);
}

void TContestBrowCtrl::CheckContestList() {
  if (FileExistsAnsi(ToDatContest.TableFile(kContestList))) return;
  // The logs' own files: the contest settings and the QSO logs "ZQLK" + number.
  bool logsThere = FileExistsAnsi(ToDatContest.TableFile(kContestExtra));
  const QDir folder(FileNameToQString(ProgramDirectory));
  for (const QString& entry : folder.entryList({u"ZQLK*.DAT"_qs}, QDir::Files)) {
    const std::string name = QStringToFileName(entry);
    if (name.size() == 12 && std::all_of(name.begin() + 4, name.begin() + 8, [](char c) { return c >= '0' && c <= '9'; }))
      logsThere = true;
  }
  if (!logsThere) return;  // a first start
  ToMessages.Fehler(
      "Die Contestliste ZQKK.DAT fehlt im Programmverzeichnis " + ProgramDirectory +
      ".\rDie Logs, deren Dateien (ZQKZ.DAT, ZQLK….DAT) dort noch liegen, erscheinen deshalb nicht in der "
      "Liste; ihre Dateien bleiben unberührt. Das Programm legt eine neue, leere Contestliste an.\r"
      "Legen Sie die Datei ZQKK.DAT (etwa aus einer Datensicherung) wieder in das Programmverzeichnis, "
      "bevor Sie neue Logs anlegen: ein neues Log könnte sonst die Datei eines alten erhalten.");
}

int TContestBrowCtrl::Start() {
  // Looked at before the start makes them anew; said once it has.
  const std::vector<std::string> lost = LostProgramFiles();
  if (!OpenSetupAndProject()) return 1;
  LoadSettings();
  CheckPrefixTable();
  CheckContestList();

  contestList_ = std::make_unique<TdbContest>(kContestList, false, 0);
  extra_ = std::make_unique<TdbContest>(kContestExtra, false, 0);
  if (!contestList_->IsOpen() || !extra_->IsOpen()) {
    // The file manager has named the cause already; this names the files
    // that failed, and only those.
    const std::string failed = !contestList_->IsOpen() && !extra_->IsOpen() ? "Die Contestdateien ZQKK und ZQKZ konnten"
                               : !contestList_->IsOpen()                    ? "Die Contestdatei ZQKK konnte"
                                                                            : "Die Contestdatei ZQKZ konnte";
    ToMessages.Fehler(failed + " nicht geöffnet werden. Das Programm wird beendet.");
    return 1;
  }
  ContestFkt.DefineContest(*description_, *contestList_, letter_, false);
  rowTable_ = std::make_unique<TdbContest>(kContestList, false, 0);

  table_ = contestList_.get();
  driver_ = std::make_unique<TBrowTableDriver>(table_);
  if (grid_ != nullptr) {
    const TKeyStr bound = MakeKeyStr(std::string(1, letter_));
    grid_->Open(kListNumber, driver_.get(), bound, bound, crec::kKeyTypName);
    // The newest log of this edition; logs of other editions may be newer.
    for (bool found = contestList_->Last(crec::kKeyNummer); found; found = contestList_->Prev()) {
      TContestRecord r;
      contestList_->GetContestRecord(r);
      if (rec::GetChar(r.data(), crec::kTyp) == letter_) {
        grid_->GotoRecord(contestList_->CurrentRef());
        break;
      }
    }
  }
  TellLostProgramFiles(lost);
  started_ = true;
  return 0;
}

void TContestBrowCtrl::Shutdown() {
  rowTable_.reset();
  driver_.reset();
  table_ = nullptr;
  contestList_.reset();
  extra_.reset();
  if (prefixOpen_) ToDatPrefix.CloseTables(kAllPrefixTables, true);
  prefixOpen_ = false;
  // Settings are only written back when they were read from the tables.
  if (setupOpen_ && projectOpen_) SaveSettings(0);
  ToProjecte.Close();
  if (setupOpen_) ToDatSetup.CloseFiles(KindBit(0) | KindBit(1));
  if (projectOpen_) ToDatProject.CloseFiles(KindBit(0));
  setupOpen_ = projectOpen_ = false;
  ExitFileManager();
}

void TContestBrowCtrl::BuildRow(RowRec& row) {
  if (!rowTable_) rowTable_ = std::make_unique<TdbContest>(kContestList, false, 0);
  if (row.Ref <= 0 || !rowTable_->GotoRecord(row.Ref)) return;
  TContestRecord r;
  rowTable_->GetContestRecord(r);
  const int key = grid_ != nullptr ? grid_->CurrentKeyNumber() : crec::kKeyTypName;
  row.Row = ContestRowText(r, key, row.Row);
}

void TContestBrowCtrl::SetHeaderFooter() {
  if (grid_ == nullptr || !grid_->IsOpen()) return;
  std::string captions, footer;
  ContestHeaderTexts(grid_->CurrentKeyNumber(), LanguageFlag != 0, captions, footer);
  const std::string noSort(50, '\0');
  grid_->SetHeaderFooter(captions, footer, noSort, noSort, "Nr:Nummer;");
}

void TContestBrowCtrl::InitSortList() {
  if (grid_ == nullptr) return;
  grid_->ClearSortList();
  grid_->AddSortListItem("Name");
  grid_->AddSortListItem("Datum");
}

TKeyStr TContestBrowCtrl::SearchTextToKey() {
  // Every key of the list begins with the contest letter; the typed text follows it.
  std::string text = grid_ != nullptr ? grid_->SearchText() : std::string();
  if (text.size() > 255) text.resize(255);
  const std::string separator = table_ != nullptr ? table_->KeySeparator() : std::string();
  return MakeKeyStr(std::string(1, letter_) + separator + ToStrings.UpperCase(text));
}

int TContestBrowCtrl::SortList2Key(int index, TKeyStr& lkey, TKeyStr& hkey) {
  lkey = MakeKeyStr(std::string(1, letter_));
  hkey = lkey;
  return index + 1;
}

void TContestBrowCtrl::OpenContest(int32_t ref) {
  if (!contestList_ || !contestList_->GotoRecord(ref)) return;
  EnsureExtraRecord(ref, *contestList_, *extra_);
  OpenLog(owner_, *description_, *contestList_, *extra_);
  // The log window has changed both records.
  contestList_->GotoRecord(ref);
  contestList_->LoadRecord(true, true);
  extra_->LoadRecord(true, true);
}

int32_t TContestBrowCtrl::NewContest() {
  if (!contestList_) return 0;
  const std::string caption = owner_ != nullptr ? QStringToAnsi(owner_->windowTitle()) : "";
  if (LanguageFlag != 0)
    ToMessages.Hinweis("Contest", "Versionsprüfung",
                       "Bitte überprüfen Sie vor dem Contest, ob das Programm in der "
                       "aktuellsten Version vorliegt.\r\rAktuell installiert: " +
                           caption,
                       false);
  else
    // The program has no web portal of its own to name, so the sentence
    // ends where the portal's address would follow.
    ToMessages.Hinweis("Contest", "Version",
                       "Please inform yourself right in time before the contest if there is a "
                       "newer version of this software.",
                       false);
  return ContestSetup(letter_, false, false, *contestList_, *extra_, description_.get());
}

bool TContestBrowCtrl::EditContest(int32_t ref) {
  if (!contestList_) return false;
  if (!EnsureExtraRecord(ref, *contestList_, *extra_)) return false;
  ContestFkt.DefineContest(*description_, *contestList_, letter_, true);
  // The dialog shows the claimed totals and offers the outputs that read them.
  if (const auto& update = ContestEntries().UpdateClaimedTotals) update(*contestList_, *extra_, *description_);
  return ContestSetup(letter_, true, false, *contestList_, *extra_, description_.get()) > 0;
}

void TContestBrowCtrl::FinishContest() {
  if (contestList_) ContestSetup(letter_, true, true, *contestList_, *extra_, description_.get());
}

void TContestBrowCtrl::DeleteContest(int32_t ref) {
  if (contestList_) ContestFkt.DeleteContest(*contestList_, *extra_, ref);
}
