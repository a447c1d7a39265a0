#include "outputs/allerout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "outputs/exportlog.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "ui/filebaseoop.h"

TAlleRout AlleRout;

namespace {

TQsoFormatWriter* formatWriters[7] = {};
TOutputFileViewer fileViewer;


}  // namespace

uint8_t OutputCodeOfKind(uint8_t kind) {
  switch (kind) {
    case OutputKind::PaperCoverSheet:
    case OutputKind::Spare:
    case OutputKind::PaperMultiCheck:
    case OutputKind::PaperBandList:
    case OutputKind::PaperList:
    case OutputKind::PaperAll: return OutputCode::Printer;
    case OutputKind::Stf: return OutputCode::Stf;
    case OutputKind::Adif: return OutputCode::Adif;
    case OutputKind::Cabrillo: return OutputCode::Cabrillo;
    case OutputKind::Csv: return OutputCode::Csv;
    case OutputKind::Edi: return OutputCode::Edi;
    default: return OutputCode::ELog;
  }
}

// --- line file ----------------------------------------------------------------

namespace {
// The gathered lines go to the file in blocks of about this size.
constexpr size_t kLineBlock = 64 * 1024;
}  // namespace

TOutputLineFile::~TOutputLineFile() {
  if (!file_) return;
  std::fwrite(pending_.data(), 1, pending_.size(), file_);
  std::fclose(file_);
}

bool TOutputLineFile::Create(const std::string& fileName) {
  if (file_) {
    std::fwrite(pending_.data(), 1, pending_.size(), file_);
    std::fclose(file_);
    file_ = nullptr;
  }
  pending_.clear();
  file_ = std::fopen(NativeFileName(fileName).c_str(), "wb");
  name_ = fileName;
  return file_ != nullptr;
}

void TOutputLineFile::WriteLine(std::string_view line) {
  if (!file_) throw std::runtime_error("Die Ausgabedatei ist nicht geöffnet.");
  if (pending_.capacity() < kLineBlock + 512) pending_.reserve(kLineBlock + 512);
  pending_.append(line);
  pending_.append("\r\n", 2);
  if (pending_.size() >= kLineBlock) WritePending();
}

void TOutputLineFile::WritePending() {
  if (pending_.empty()) return;
  const size_t n = pending_.size();
  const size_t written = std::fwrite(pending_.data(), 1, n, file_);
  pending_.clear();
  if (written != n) throw std::runtime_error("Fehler beim Schreiben der Datei " + name_ + ".");
}

void TOutputLineFile::Flush() {
  if (file_ == nullptr) return;
  WritePending();
  std::fflush(file_);
}

void TOutputLineFile::Close() {
  if (!file_) return;
  std::FILE* f = file_;
  bool written = true;
  try {
    WritePending();
  } catch (const std::runtime_error&) {
    written = false;
  }
  file_ = nullptr;
  if (std::fclose(f) != 0 || !written) throw std::runtime_error("Fehler beim Schreiben der Datei " + name_ + ".");
}

// --- period filter -------------------------------------------------------------

bool PassesPeriodFilter(const TOutputFilter& filter, int32_t datum, int32_t zeit) {
  if (filter[0] == 0) return true;
  for (size_t w = 0; w < 4; ++w) {
    const int32_t from = filter[w];
    if (w > 0 && from <= 0) continue;
    const int32_t to = filter[4 + w];
    const int32_t fromDate = filter[8 + w];
    const int32_t toDate = filter[12 + w];
    if (fromDate == 0) {
      if (from <= zeit && zeit <= to) return true;
      continue;
    }
    const bool fails = datum < fromDate || (datum == fromDate && zeit < from) || datum > toDate ||
                       (datum == toDate && zeit > to);
    if (!fails) return true;
  }
  return false;
}

// --- registries -----------------------------------------------------------------

TQsoFormatWriter* SetQsoFormatWriter(uint8_t outputCode, TQsoFormatWriter* writer) {
  if (outputCode > 6) return nullptr;
  TQsoFormatWriter* previous = formatWriters[outputCode];
  formatWriters[outputCode] = writer;
  return previous;
}

TQsoFormatWriter* QsoFormatWriter(uint8_t outputCode) {
  return outputCode > 6 ? nullptr : formatWriters[outputCode];
}

TOutputFileViewer SetOutputFileViewer(TOutputFileViewer viewer) {
  TOutputFileViewer previous = std::move(fileViewer);
  fileViewer = std::move(viewer);
  return previous;
}

// --- the frame --------------------------------------------------------------------

bool TAlleRout::BeginOutput(uint8_t kind) {
  Resolution = 1.0;
  LeftMargin = 1;
  LineHeight = 1;
  outputKind_ = kind;
  outputCode_ = OutputCodeOfKind(kind);
  printer_.reset();
  printing_ = false;
  pagePrinted_ = false;
  if (outputCode_ == OutputCode::Printer) {
    std::unique_ptr<TOutputPrinter> printer = CreateOutputPrinter();
    if (!printer || !printer->PrintDialog()) return false;
    int points = 9;
    if (kind == OutputKind::PaperBandList || kind == OutputKind::PaperList) points = 8;
    if (kind == OutputKind::PaperMultiCheck) points = 10;
    printer->SetFont("Courier New", points);
    if (!printer->BeginDoc()) {
      ToMessages.Fehler("Der Drucker konnte nicht geöffnet werden.");
      return false;
    }
    printer_ = std::move(printer);
    printing_ = true;
    Resolution = printer_->DpiX();
    LeftMargin = static_cast<int32_t>(std::lround(1.4 * Resolution / 2.54));
    LineHeight = static_cast<int32_t>(std::lround(1.1 * printer_->TextHeight("XygW")));
  }
  ResetPosition();
  return true;
}

bool TAlleRout::SelectOutputFile(uint8_t kind, TdbContest& contestList,
                                 const TContestRec* description) {
  struct Target {
    uint8_t kind;
    const char* title;
    const char* extension;
  };
  using K = ::OutputKind;
  static const Target targets[] = {
      {K::ELogCoverSheet, "E-Log - Deckblattdatei", "SUM"},
      {K::ELogList, "E-Log - Liste", "ALL"},
      {K::ELogBandList, "E-Log - Bandliste", "BND"},
      {K::ELogMultiCheck, "E-Log - Multicheckliste", "MUL"},
      {K::ELogWhole, "E-Log - Gesamtdatei", "TXT"},
      {K::Stf, "STF - Datei", "STF"},
      {K::Cabrillo, "Cabrillo - Datei", "CAB"},
      {K::Adif, "ADIF - Datei", "ADI"},
      {K::Csv, "CSV - Datei", "CSV"},
      {K::Edi, "EDI - Datei", "EDI"},
  };
  for (const Target& t : targets)
    if (t.kind == kind) return ChooseOutputFile(t.title, t.extension, contestList, description);
  return true;
}

std::string TAlleRout::OwnCallForFileName() { return ToSetups.OwnCall(true); }

std::string TAlleRout::FileNameSuffix(std::string_view name) {
  if (name.empty()) return {};
  std::string out = "-";
  for (char c : name) {
    if (c == ':') continue;
    if (c == '.') c = '-';
    if (c == '/' || c == '\\' || c == ',') c = '_';
    out += c;
  }
  return out;
}

bool TAlleRout::ChooseOutputFile(const std::string& title, const std::string& extension,
                                 TdbContest& contestList, const TContestRec* description) {
  const std::string ownCall = OwnCallForFileName();
  if (!english_)
    ToMessages.Hinweis("", "Dateiausgabe:",
                       "Geben Sie im folgenden Dialog an, wohin die " + title + " " + ownCall + "." +
                           extension + " gespeichert werden soll.",
                       false);
  TSaveDialog dialog;
  dialog.Title = title;
  dialog.DefaultExt = extension;
  dialog.Filter = title + "(*." + extension + ")|" + ownCall + "." + extension;

  TContestRecord record{};
  contestList.GetContestRecord(record);
  const uint8_t category = rec::GetByte(record.data(), crec::kTeilnahmeart);
  std::string suffix;
  if (category > 0 && category <= 20) {
    TContestRec defined;
    if (!description) {
      ContestFkt.DefineNewContest(defined, rec::GetChar(record.data(), crec::kTyp));
      description = &defined;
    }
    suffix = FileNameSuffix(description->Classes[category - 1].Name.view());
  }
  dialog.FileName = ownCall + suffix + "." + extension;

  if (!FileBaseSS.ExecuteSaveDialog(nullptr, dialog, extension, title)) return false;
  fileName_ = dialog.FileName;
  if (!file_.Create(fileName_)) {
    ToMessages.Fehler("Die Datei " + fileName_ + " konnte nicht erstellt werden.");
    return false;
  }
  return true;
}

void TAlleRout::WriteLine(std::string_view text, bool resetX, bool advance) {
  if (resetX) X = LeftMargin;
  if (outputCode_ == OutputCode::Printer) {
    if (printer_) printer_->TextOut(X, Y, std::string(text));
    pagePrinted_ = true;
  } else if (outputCode_ == OutputCode::ELog) {
    lineBuffer_.assign("     ");
    lineBuffer_.append(text);
    file_.WriteLine(lineBuffer_);
  } else if (outputCode_ == OutputCode::Stf || outputCode_ == OutputCode::Cabrillo) {
    lineBuffer_.assign(text);
    ToStrings.UpperCaseInPlace(lineBuffer_);
    file_.WriteLine(lineBuffer_);
  } else {
    file_.WriteLine(text);
  }
  if (advance) Y += LineHeight;
}

std::string TAlleRout::FitField(std::string_view text, int width) const {
  return WrittenText([&](TTextWriter& w) { WriteField(w, text, width); });
}

void TAlleRout::WriteField(TTextWriter& line, std::string_view text, int width) const {
  if (outputCode_ == OutputCode::Adif || outputCode_ == OutputCode::Csv)
    line.Text(ToStrings.TrimView(text));
  else
    line.Fix(text, width);
}

void TAlleRout::ResetPosition() {
  Y = static_cast<int32_t>(std::lround(Resolution * 1.0 / 2.54));
  X = LeftMargin;
}

bool TAlleRout::NewPageIfNeeded() {
  if (outputCode_ != OutputCode::Printer || !printer_) return false;
  X = LeftMargin;
  if (printer_->PageHeight() < Y + 2 * LineHeight) {
    NewPage();
    return true;
  }
  return false;
}

void TAlleRout::NewPage() {
  if (outputCode_ != OutputCode::Printer || !printer_) return;
  printer_->NewPage();
  pagePrinted_ = false;
}

void TAlleRout::StartOnFreshPage() {
  if (pagePrinted_) NewPage();
}

void TAlleRout::BoldOn() {
  if (outputCode_ == OutputCode::Printer && printer_) printer_->SetBold(true);
}

void TAlleRout::BoldOff() {
  if (outputCode_ == OutputCode::Printer && printer_) printer_->SetBold(false);
}

int TAlleRout::PageNumber() const { return printer_ ? printer_->PageNumber() : 1; }

void TAlleRout::EndPrinting() {
  if (outputCode_ != OutputCode::Printer || !printer_) return;
  BoldOff();
  if (printing_) printer_->EndDoc();
  printing_ = false;
  printer_.reset();
}

void TAlleRout::CloseOutputFile() {
  if (!file_.IsOpen()) return;
  // The driver closes the file after the writers, also when one of them
  // failed; the last buffered lines may fail only here, and that must not
  // pass unnoticed.
  try {
    file_.Close();
  } catch (const std::exception& e) {
    ToMessages.Fehler(e.what());
    return;
  }
  switch (outputKind_) {
    case OutputKind::ELogCoverSheet:
    case OutputKind::ELogList:
    case OutputKind::Stf:
    case OutputKind::Cabrillo:
    case OutputKind::Edi:
      if (fileViewer) fileViewer(fileName_);
      break;
    default:
      break;
  }
}

void TAlleRout::ReportFileCreated() {
  file_.Flush();  // the user may open the file while the notice is shown
  ToMessages.Hinweis("", "Dateiausgabe:", "Datei " + fileName_ + " wurde erstellt.", false);
}

void TAlleRout::WriteScoreTrailer(int lineWidth, const TContestRec& contest, TdbContest& extra) {
  auto write = [&](const std::string& s) { WriteLine(ToStrings.LeftPad(s, lineWidth)); };
  auto number = [](int64_t v, int w) { return ToStrings.IntToStrRight(v, w); };
  write(" ");
  TContestExtraRecord x{};
  extra.GetExtraRecord(x);
  const int64_t score = ClaimedScore(contest, totalsRecord_, x, TotalPoints, TotalMultipliers);
  if (contest.MultiplierKinds.Empty() || contest.NoScoreFormula || contest.PerBandScore) {
    write(number(score, 7) + " Punkte");
    return;
  }
  std::string s = " ";
  const int32_t counts[3] = {MultiCount1, MultiCount2, MultiCount3};
  const int positive = static_cast<int>(std::count_if(counts, counts + 3, [](int32_t c) { return c > 0; }));
  if (positive > 0) s += "(";
  bool first = true;
  for (int32_t c : counts) {
    if (c <= 0) continue;
    if (!first) s += " + ";
    s += number(c, 5);
    first = false;
  }
  if (positive > 0) s += ")";
  s += " x " + number(TotalPoints, 7);
  write(s);
  write(" ");
  write(number(score, 7) + " Punkte");
}

std::vector<TContestQsoRecord> LogRecordsInOrder(TdbContest& log) {
  std::vector<TContestQsoRecord> qsos;
  ReadLogInNumberOrder(log, qsos);
  return qsos;
}

std::vector<TContestQsoRecord> LogRecordsInOrder(int32_t nummer) {
  TdbContest log(kContestLog, false, nummer);
  return LogRecordsInOrder(log);
}

std::string TQsoFormatWriter::QsoLine(TAlleRout& out, int32_t runningNumber, const TContestRec& description,
                                      TdbContest& log, TdbContest& contestList) {
  TContestQsoRecord q{};
  log.GetQsoRecord(q);
  return WrittenText([&](TTextWriter& w) { BuildQsoLine(out, runningNumber, description, q, contestList, w); });
}

void TAlleRout::MeasureListColumns(const TContestRec& contest, TdbContest& log) {
  MeasureListColumns(contest, LogRecordsInOrder(log));
}

void TAlleRout::MeasureListColumns(const TContestRec& contest, const std::vector<TContestQsoRecord>& qsos,
                                   bool callOnly) {
  SentWidth = ReceivedWidth = CallWidth = PointsWidth = 0;
  ExchangeWidth1 = static_cast<int32_t>(contest.MultiplierCaptions[0].size());
  ExchangeWidth2 = static_cast<int32_t>(contest.MultiplierCaptions[1].size());
  ExchangeWidth3 = static_cast<int32_t>(contest.MultiplierCaptions[2].size());
  const bool third = !contest.MultiplierCaptions[2].empty();
  auto grow = [](int32_t& w, std::string_view s) {
    w = std::max(w, static_cast<int32_t>(ToStrings.TrimView(s).size()));
  };
  auto field = [](const uint8_t* r, size_t off, size_t cap) { return rec::GetStrView(r, off, cap); };
  // The widest number of points is the one of the most points.
  uint16_t mostPoints = 0;
  bool anyQso = false;
  TContestFkt::TExchangeBuffer sent, received;
  for (const TContestQsoRecord& q : qsos) {
    const uint8_t* r = q.data();
    if (IsBandChangeMarker(rec::GetByte(r, qrec::kQsoMarker))) continue;
    anyQso = true;
    grow(CallWidth, field(r, qrec::kCall, qrec::kCallCap));
    if (callOnly) continue;
    grow(SentWidth, TContestFkt::SentExchange(q, sent));
    grow(ReceivedWidth, TContestFkt::ReceivedExchange(q, received));
    mostPoints = std::max(mostPoints, rec::GetUInt16(r, qrec::kPunkte));
    grow(ExchangeWidth1, field(r, qrec::kCMulti, qrec::kCMultiCap));
    grow(ExchangeWidth2, field(r, qrec::kCMulti2, qrec::kCMulti2Cap));
    if (third) grow(ExchangeWidth3, field(r, qrec::kCall2, qrec::kCall2Cap));
  }
  if (anyQso) grow(PointsWidth, ToStrings.IntToStr(mostPoints));
  ReceivedWidth += 2;
  SentWidth += 2;
  CallWidth += 2;
  ExchangeWidth1 += 2;
  ExchangeWidth2 += 2;
  ExchangeWidth3 += 2;
  ReceivedWidth = std::max(ReceivedWidth, 9);
  SentWidth = std::max(SentWidth, 9);
  CallWidth = std::max(CallWidth, 8);
  PointsWidth = std::max(PointsWidth, 1);
}

void TAlleRout::ComputeTotals(TdbContest& contestList, TdbContest& extra) {
  TContestRecord c{};
  contestList.GetContestRecord(c);
  totalsRecord_ = c;
  MultiCount1 = MultiCount2 = MultiCount3 = 0;
  TotalMultipliers = TotalPoints = QsoCount = 0;
  if (rec::GetByte(c.data(), crec::kTotalsPlace) != 0) {
    TContestExtraRecord x{};
    extra.GetExtraRecord(x);
    const uint8_t* r = x.data();
    for (int slot = 1; slot <= xrec::kSlots; ++slot) {
      TotalMultipliers += rec::GetInt32(r, xrec::MultsAt(slot));
      TotalPoints += rec::GetInt32(r, xrec::PointsAt(slot));
      QsoCount += rec::GetInt32(r, xrec::QsosAt(slot));
      MultiCount1 += rec::GetInt16(r, xrec::Caption1At(slot));
      MultiCount2 += rec::GetInt16(r, xrec::Caption2At(slot));
      MultiCount3 += rec::GetInt16(r, xrec::Caption3At(slot));
    }
    return;
  }
  const uint8_t* r = c.data();
  for (int slot = 1; slot <= crec::kSlots; ++slot) {
    const crec::SlotTotals t = crec::TotalsAt(r, slot);
    QsoCount += t.qsos;
    TotalMultipliers += t.mults;
    TotalPoints += t.points;
    MultiCount1 += t.caption1;
    MultiCount2 += t.caption2;
  }
}

void TAlleRout::RecountPointsInPeriod(const TOutputFilter& period, TdbContest& log) {
  RecountPointsInPeriod(period, LogRecordsInOrder(log));
}

void TAlleRout::RecountPointsInPeriod(const TOutputFilter& period,
                                      const std::vector<TContestQsoRecord>& qsos) {
  int32_t total = 0;
  for (const TContestQsoRecord& q : qsos) {
    const uint8_t* r = q.data();
    if (IsBandChangeMarker(rec::GetByte(r, qrec::kQsoMarker))) continue;
    if (PassesPeriodFilter(period, rec::GetInt32(r, qrec::kDatum), rec::GetInt32(r, qrec::kZeit)))
      total += rec::GetUInt16(r, qrec::kPunkte);
  }
  TotalPoints = total;
}

std::string TAlleRout::SentExchangeText(const TdbContestBase& qso) {
  TContestQsoRecord q{};
  qso.GetQsoRecord(q);
  return TContestFkt::GetSentExchange(q);
}

std::string TAlleRout::ReceivedExchangeText(const TdbContestBase& qso) {
  TContestQsoRecord q{};
  qso.GetQsoRecord(q);
  return TContestFkt::GetReceivedExchange(q);
}

bool TAlleRout::IsAllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}
