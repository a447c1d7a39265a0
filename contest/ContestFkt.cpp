#include "contest/ContestFkt.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "contest/ContestRules.h"
#include "contest/ContestLogActions.h"
#include "contest/LogServices.h"
#include "contest/eingcontstd.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "ui/filebaseoop.h"
#include "ui/weboop.h"

TContestFkt ContestFkt;

namespace {

// The four parts of one exchange direction in the QSO record, in text order.
struct TExchangePart {
  size_t Offset;
  size_t Cap;
};
constexpr TExchangePart kSentParts[4] = {
    {qrec::kSent1, qrec::kSent1Cap},
    {qrec::kSent2, qrec::kSent2Cap},
    {qrec::kSent3, qrec::kSent3Cap},
    {qrec::kSent4, qrec::kSent4Cap},
};
constexpr TExchangePart kReceivedParts[4] = {
    {qrec::kRcvd1, qrec::kRcvd1Cap},
    {qrec::kRcvd2, qrec::kRcvd2Cap},
    {qrec::kRcvd3, qrec::kRcvd3Cap},
    {qrec::kRcvd4, qrec::kRcvd4Cap},
};
// The joined text is cut after each part at these lengths.
constexpr size_t kJoinedCut[4] = {9, 11, 13, 20};
constexpr size_t kExchangeMax = 20;

// The parts fill the joined text exactly: each cut falls where the parts
// before it end at their longest, so no part is ever cut.
static_assert(qrec::kSent1Cap == kJoinedCut[0] && qrec::kSent1Cap + qrec::kSent2Cap == kJoinedCut[1] &&
              qrec::kSent1Cap + qrec::kSent2Cap + qrec::kSent3Cap == kJoinedCut[2] &&
              qrec::kSent1Cap + qrec::kSent2Cap + qrec::kSent3Cap + qrec::kSent4Cap == kJoinedCut[3]);
static_assert(qrec::kRcvd1Cap == qrec::kSent1Cap && qrec::kRcvd2Cap == qrec::kSent2Cap &&
              qrec::kRcvd3Cap == qrec::kSent3Cap && qrec::kRcvd4Cap == qrec::kSent4Cap);
static_assert(std::tuple_size_v<TContestFkt::TExchangeBuffer> == kExchangeMax && kJoinedCut[3] == kExchangeMax);

// One part put at n: its whole field is copied (the buffer has room for it,
// see above; fixed-size copies are plain moves) and n moves on by the
// part's length.
template <size_t Cap>
void PutPart(const uint8_t* r, size_t offset, char* joined, size_t& n) {
  std::memcpy(joined + n, r + offset + 1, Cap);
  n += std::min<size_t>(r[offset], Cap);
}

// Both directions' parts have the same sizes (see above): one joiner serves
// them, with the sizes known at compile time.
std::string_view JoinExchange(const TContestQsoRecord& qso, const TExchangePart (&parts)[4],
                              TContestFkt::TExchangeBuffer& joined) {
  size_t n = 0;
  PutPart<qrec::kSent1Cap>(qso.data(), parts[0].Offset, joined.data(), n);
  PutPart<qrec::kSent2Cap>(qso.data(), parts[1].Offset, joined.data(), n);
  PutPart<qrec::kSent3Cap>(qso.data(), parts[2].Offset, joined.data(), n);
  PutPart<qrec::kSent4Cap>(qso.data(), parts[3].Offset, joined.data(), n);
  return std::string_view(joined.data(), n);
}

// Cuts the text at the fixed part boundaries (characters 1-9, 10-11,
// 12-13, 14-20); parts the text does not reach become empty.
void SplitExchange(std::string_view text, TContestQsoRecord& qso,
                   const TExchangePart (&parts)[4]) {
  text = text.substr(0, kExchangeMax);
  size_t start = 0;
  for (const TExchangePart& part : parts) {
    const std::string_view piece =
        start < text.size() ? text.substr(start, part.Cap) : std::string_view();
    rec::SetStr(qso.data(), part.Offset, part.Cap, piece);
    start += part.Cap;
  }
}

struct TContestTitle {
  char Letter;
  const char* Name;
  const char* Picture;  // nullptr: no picture
};
constexpr const char* kOwnPictureJ = "mssprint.bmp";

constexpr TContestTitle kContestTitles[] = {
    {'V', "Mecklenburg-Vorpommern - Contest", "mvp.bmp"},
    {'B', "Baden - Württemberg Aktivität", "bwa.bmp"},
    {'H', "Holyland - Contest", "holyland.bmp"},
    {'D', "Deutschland Contest des DTC e.V.", "dtc.bmp"},
    {'q', "Handtastenparty", "agcw.bmp"},
    {'5', "Funkertag-QSO-Party", "party062005.bmp"},
    {'P', "Februar-QSO-Party", "party022005.bmp"},
    {'E', "Europatag der Schulstationen", "eutag.bmp"},
    {'F', "Aktivitätswettbewerb Franken", "franken.bmp"},
    {'J', "Hamburg Contest", "hamburg.bmp"},
    {'G', "Hessencontest", "hessen.bmp"},
    {'R', "Rheinland-Pfalz - Aktivitätsabende", "rheinlandpfalz.bmp"},
    {'h', "Rheinland-Pfalz - Aktivitätswoche", "rheinlandpfalz.bmp"},
    {'N', "Nordic Activity Contest", "nac.bmp"},
    {'S', "Aktivitätswettbewerbe H, S, W", "hsw.bmp"},
    {'T', "Thüringen-Contest", "thueringen.bmp"},
    {'L', "Kurzcontest Ruhrgebiet", "ruhrgebiet.bmp"},
    {'U', "Bayern-Ost-Contest", "boc.bmp"},
    {'I', "Kurzwellenaktivitätstag Nordsee", "nordsee.bmp"},
    {'l', "Aktivitätstag Nordsee", "nordsee.bmp"},
    {'g', "Nordsee-Contest UKW", "nordsee.bmp"},
    {'Z', "IPARC-Contest", "iparc.bmp"},
    {'C', "Brandenburg-Berlin-Contest", "bb.bmp"},
    {'O', "Aktivitätswochenende Schleswig-Holstein", "sh.bmp"},
    {'Q', "Schwabenkontest", "schwaben.bmp"},
    {'1', "DARC 10 m-Contest", "darclogo.bmp"},
    {'K', "Herbstcontest Köln-Aachen", "koelnaachen.bmp"},
    {'A', "Deutscher Telegraphie-Contest", "agcw.bmp"},
    {'f', "Happy New Year-Contest", "agcw.bmp"},
    {'s', "QRP/QRP-Party der AGCW", "agcw.bmp"},
    {'i', "Naval-Contest", nullptr},
    {'j', "MMMonVHF MS SPRINT CONTEST", kOwnPictureJ},
    {'Y', "VFDB-Contest", "vfdb.bmp"},
    {'o', "VFDB-Aktivitätstage", "vfdb.bmp"},
    {'2', "Westfalen Nord QRP Aktivitäts Contest", "westfalen-nord.bmp"},
    {'3', "Westfalen Nord Contest", "westfalen-nord.bmp"},
    {'c', "Westfalen Nord Aktivitätstag", "westfalen-nord.bmp"},
    {'4', "Party des Brazelund e.V.", "brz.bmp"},
    {'6', "HSC-CW-Contest", "hsc.bmp"},
    {'v', " Military on the Air Aktivität der MRR", "MRR-Siegel.bmp"},
    {'7', "DIG-QSO-Party", "digparty.bmp"},
    {'8', "AGCW - VHF/UHF-Contest", "agcw.bmp"},
    {'9', "IARU-Region-1-Fieldday", "fieldday.bmp"},
    {'a', "Nordrhein-Aktivität", "nordrhein.bmp"},
    {'b', "Original-QRP-Contest", "qrpcc.bmp"},
    {'d', "SAAR-Contest", "saar.bmp"},
    {'e', "Nord-Contest", "nord.bmp"},
    {'k', "QCWA-Party", "qcwa.bmp"},
    {'m', "Großraum-Mobilwettbewerb 80m", "mobilsh.bmp"},
    {'n', "IBFD-Aktivitätstag", "ibfd.bmp"},
    {'p', "DSW-Kurzcontest", "dsw.bmp"},
    {'r', "YL-Party", "yllogo.bmp"},
    {'u', "DARC-Ausbildungs-Contest", "wag.bmp"},
    {'W', "Worked All Germany (WAG) Contest", "wag.bmp"},
};

}  // namespace

bool TProgramFileReader::ReadLines(const std::string& fileName, std::vector<std::string>& lines) {
  return ReadTextFile(ProgramDirectory + fileName, lines);
}

// ---------------------------------------------------------------------------

std::string TContestFkt::ContestDirectory() const {
  if (services_.ContestDirectory) return services_.ContestDirectory();
  ToSetupDirs dirs;
  ToSetups.GetDirs(dirs);
  return dirs[6];
}

TContestEnvironment TContestFkt::Environment() const {
  TContestEnvironment env;
  if (services_.Station)
    env.Station = services_.Station();
  else
    ToSetups.GetStation(env.Station);
  env.UtcBiasMinutes = services_.UtcBiasMinutes ? services_.UtcBiasMinutes() : ToDates.UtcBiasMinutes();
  env.Today = services_.Today ? services_.Today() : ToDates.Today();
  env.Files = services_.Files;
  return env;
}

void TContestFkt::Define(TContestRec& rec, TContestRecord& listRecord, char letter) const {
  TContestEnvironment env = Environment();
  std::unique_ptr<TProgramFileReader> ownReader;
  if (!env.Files) {
    ownReader = std::make_unique<TProgramFileReader>();
    env.Files = ownReader.get();
  }
  std::vector<std::string> warnings;
  DefineContestRules(rec, listRecord, env, letter, &warnings);
  for (const std::string& w : warnings) ToMessages.Achtung(std::string(), w);
}

void TContestFkt::DefineContest(TContestRec& rec, TContestListAccess* table, char letter,
                                bool writeBack) {
  if (!table || table->CurrentRef() == 0) {
    DefineNewContest(rec, letter);
    return;
  }
  TContestRecord listRecord{};
  table->GetContestRecord(listRecord);
  Define(rec, listRecord, letter);
  table->SetContestRecord(listRecord);
  // A failed rewrite leaves the stored record as it was; the description
  // itself is complete either way, so the result is not reported.
  if (writeBack) table->Update();
}

void TContestFkt::DefineNewContest(TContestRec& rec, char letter) {
  TContestRecord listRecord{};
  Define(rec, listRecord, letter);
}

std::string TContestFkt::GetSentExchange(const TContestQsoRecord& qso) {
  TExchangeBuffer buffer;
  return std::string(JoinExchange(qso, kSentParts, buffer));
}

std::string TContestFkt::GetReceivedExchange(const TContestQsoRecord& qso) {
  TExchangeBuffer buffer;
  return std::string(JoinExchange(qso, kReceivedParts, buffer));
}

std::string_view TContestFkt::SentExchange(const TContestQsoRecord& qso, TExchangeBuffer& buffer) {
  return JoinExchange(qso, kSentParts, buffer);
}

std::string_view TContestFkt::ReceivedExchange(const TContestQsoRecord& qso, TExchangeBuffer& buffer) {
  return JoinExchange(qso, kReceivedParts, buffer);
}

void TContestFkt::SetSentExchange(std::string_view text, TContestQsoRecord& qso) {
  SplitExchange(text, qso, kSentParts);
}

void TContestFkt::SetReceivedExchange(std::string_view text, TContestQsoRecord& qso) {
  SplitExchange(text, qso, kReceivedParts);
}

void TContestFkt::GetContestTitle(char letter, std::string& name, std::string& picturePath) const {
  for (const TContestTitle& t : kContestTitles) {
    if (t.Letter != letter) continue;
    name = std::string("\"") + t.Name + "\"";
    if (!t.Picture)
      picturePath.clear();
    else if (t.Picture == kOwnPictureJ)
      picturePath = t.Picture;
    else
      picturePath = ContestDirectory() + t.Picture;
    return;
  }
}

void TContestFkt::GetEditionInfo(char& letter, std::string& versionLine, std::string& titleBitmap,
                                 std::string& noticeLine) {
  letter = Edition::Letter;
  versionLine = Edition::VersionLine;
  titleBitmap = Edition::TitleBitmap;
  noticeLine = Edition::Notice;
}

// ---------------------------------------------------------------------------
// Actions on one contest log

int32_t TContestFkt::ContestSetup(char letter, bool recordExists, bool editOnly,
                                  TdbContest& contestTable, TdbContest& extraTable,
                                  TContestRec* description) {
  if (letter == '\0') return 0;
  return RunContestSetupDialog(recordExists, editOnly, letter, contestTable, extraTable,
                               description);
}

bool TContestFkt::EnsureExtraRecord(int32_t ref, TdbContest& contestTable, TdbContest& extraTable) {
  return ::EnsureExtraRecord(ref, contestTable, extraTable);
}

void TContestFkt::DeleteContest(TdbContest& contestTable, TdbContest& extraTable, int32_t ref) {
  if (ref <= 0 || !contestTable.GotoRecord(ref)) return;
  const std::string name = ContestName(contestTable, ref);
  if (!ConfirmDeleteLog(name)) return;
  // A log that could not be removed is said so; what was not deleted stays whole.
  if (!DeleteWholeLog(ref, contestTable, extraTable))
    ToMessages.Fehler("Das Logbuch " + name + " konnte nicht gelöscht werden.");
}

void TContestFkt::OpenLog(QWidget* owner, const TContestRec& description, TdbContest& contestTable,
                          TdbContest& extraTable) {
  ::OpenLog(owner, description, contestTable, extraTable);
}

void TContestFkt::EditNote(const std::string& fileName, TdbContest& contestTable,
                           TdbContestBase& qsoTable) {
  std::vector<std::string> lines;
  if (FileBaseSS.FileExists(fileName)) ReadTextFile(fileName, lines);
  lines.insert(lines.begin(), ToDates.TodayUTCString("dd.mm.yyyy") + " " +
                                  ToDates.CurrentTimeUTCString("hh:mm") + " " +
                                  ToStrings.FixLen(qsoTable.GetCall(), 10) + " > ");
  // The stamp is written before the memo opens, so it stays when the memo is cancelled.
  if (!WriteTextFile(fileName, lines)) {
    ToMessages.Fehler("Die Notiz-Datei " + fileName + " konnte nicht geschrieben werden.");
    return;
  }

  TContestRecord record{};
  contestTable.GetContestRecord(record);
  uint8_t* r = record.data();
  TMemoBounds bounds;
  const int16_t width = rec::GetInt16(r, crec::kNoteWidth);
  if (width > 0) {
    bounds.Left = rec::GetInt16(r, crec::kNoteLeft);
    bounds.Top = rec::GetInt16(r, crec::kNoteTop);
    bounds.Right = bounds.Left + width - 1;
    bounds.Bottom = bounds.Top + rec::GetInt16(r, crec::kNoteHeight) - 1;
  }
  TMemoWindow* memo = MemoWindow();
  if (!memo) return;
  TMemoBounds result = bounds;
  memo->Memo("Notiz", width > 0 ? &bounds : nullptr, fileName, result, true);
  rec::SetInt16(r, crec::kNoteLeft, static_cast<int16_t>(result.Left));
  rec::SetInt16(r, crec::kNoteTop, static_cast<int16_t>(result.Top));
  rec::SetInt16(r, crec::kNoteWidth, static_cast<int16_t>(result.Right - result.Left + 1));
  rec::SetInt16(r, crec::kNoteHeight, static_cast<int16_t>(result.Bottom - result.Top + 1));
  contestTable.SetContestRecord(record);
  contestTable.Update();
}

std::string TContestFkt::ContestFolder() const {
  const std::string dir = ContestDirectory();
  if (dir.empty()) return ProgramDirectory;
  const std::string folder = ToStrings.AddBackSlash(dir);
  return folder[0] == '/' ? folder : ProgramDirectory + folder;
}

void TContestFkt::ShowRules(char letter) {
  const TRulesDocument doc = RulesDocumentFor(letter);
  if (doc.Type == TRulesDocument::Kind::Web) {
    WebSS.OpenURL(doc.Name);
    return;
  }
  const std::string file = FindFileNoCase(ContestFolder(), doc.Name);
  if (file.empty()) {
    ToMessages.Hinweis("Contestregeln", "",
                       "Die Datei " + doc.Name + " mit den Contestregeln wurde nicht gefunden.",
                       false);
    return;
  }
  if (doc.Type == TRulesDocument::Kind::Pdf) {
    WebSS.OpenURL(file);
    return;
  }
  if (TMemoWindow* memo = MemoWindow()) {
    TMemoBounds result;
    memo->Memo("Contestregeln", nullptr, file, result, false);
  }
}
