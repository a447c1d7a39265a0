#include "storage/ifderrors.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>
#include <unordered_map>
#include <utility>

#include "platform/paths.h"

int32_t DriverResult = 0;
bool IsamOK = true;
int32_t IsamError = 0;
bool DriverFatalSwitch = false;
bool DriverClosing = false;
std::string DriverErrorLogName;
TDriverErrorReporter DriverErrorReporter;
std::string DriverErrorFileName;

namespace {

struct TErrorRow {
  int32_t code;
  int32_t engineNr;
  TDriverSeverity severity;
  const char* text;
};

// Engine numbers follow the engine's numbering: 99xx opening and files,
// 100xx positioning, 101xx keys and records, 102xx locks, 103xx/104xx damage.
constexpr TErrorRow kErrors[] = {
    {drNotFound, 10200, TDriverSeverity::None, "Schlüssel nicht gefunden"},
    {drRecordGone, 10210, TDriverSeverity::Info, "Datensatz existiert nicht mehr"},
    {drLockRefused, 10332, TDriverSeverity::Warning, "Sperre verweigert: Datei wird von einer anderen Station benutzt"},
    {drOpenFailed, 9900, TDriverSeverity::Error, "Datei kann nicht geöffnet oder angelegt werden"},
    {drAccessDenied, 9903, TDriverSeverity::Error, "Keine Schreibberechtigung für die Datei"},
    {drReadOnly, 9904, TDriverSeverity::Error, "Datei ist schreibgeschützt"},
    {drIoError, 9910, TDriverSeverity::Fatal, "Fehler beim Lesen oder Schreiben der Datei"},
    {drDiskFull, 9911, TDriverSeverity::Fatal, "Datenträger ist voll"},
    {drFileGone, 9905, TDriverSeverity::Error, "Datei fehlt: sie wurde gelöscht oder verschoben, während sie offen war"},
    {drFileReplaced, 9906, TDriverSeverity::Error, "Datei wurde von einem anderen Programm ersetzt, während sie offen war"},
    {drDeleteFailed, 9920, TDriverSeverity::Error, "Datei kann nicht gelöscht werden"},
    {drNotOpen, 10000, TDriverSeverity::Warning, "Tabelle ist nicht geöffnet"},
    {drBadKeyNumber, 10010, TDriverSeverity::Warning, "Ungültige Schlüsselnummer"},
    {drBadArgument, 10020, TDriverSeverity::Warning, "Ungültiger Parameter"},
    {drNoPosition, 10030, TDriverSeverity::Warning, "Kein aktueller Datensatz"},
    {drInTransaction, 10040, TDriverSeverity::Warning, "Nicht innerhalb einer Transaktion möglich"},
    {drDuplicateKey, 10100, TDriverSeverity::Warning, "Schlüssel bereits vorhanden"},
    {drRecordLength, 10110, TDriverSeverity::Warning, "Ungültige Satzlänge"},
    {drKeyDefinition, 10120, TDriverSeverity::Error, "Ungültige Schlüsseldefinition"},
    {drDamaged, 10400, TDriverSeverity::Fatal, "Datei ist beschädigt oder keine Tabellendatei"},
    {drEngineFailure, 10475, TDriverSeverity::Fatal, "Interner Fehler der Dateiverwaltung"},
};

const TErrorRow* Row(int32_t code) {
  for (const TErrorRow& r : kErrors)
    if (r.code == code) return &r;
  return nullptr;
}

std::string Hex(int32_t v) {
  char buf[16];
  auto r = std::to_chars(buf, buf + sizeof buf, static_cast<uint32_t>(v), 16);
  std::string s = "0x";
  s.append(buf, r.ptr);
  return s;
}

std::string Dec(int64_t v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string Stamp() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%d.%m.%Y %H:%M:%S", &tm);
  return buf;
}

// The last 64 operations: name, table title (cut to 40), result.
struct TOpRecord {
  const char* op = nullptr;
  char title[41] = {};
  int32_t result = 0;
};
std::array<TOpRecord, 64> gOps;
size_t gOpNext = 0;

struct TErrRecord {
  std::string stamp, op, title, detail;
  int32_t result = 0;
};
std::array<TErrRecord, 16> gErrs;
size_t gErrNext = 0;

void AppendLog(const std::string& line) {
  if (DriverErrorLogName.empty()) return;
  std::FILE* f = std::fopen(NativeFileName(ProgramDirectory + DriverErrorLogName).c_str(), "ab");
  if (!f) return;
  std::fwrite(line.data(), 1, line.size(), f);
  std::fwrite("\r\n", 1, 2, f);
  std::fclose(f);
}

}  // namespace

TDriverClass DriverClassOf(int32_t result) {
  if (result == drOk) return TDriverClass::Ok;
  if (result == drNotFound) return TDriverClass::NotFound;
  if (result == drRecordGone) return TDriverClass::RecordGone;
  switch (result >> 12) {
    case 3: return TDriverClass::LockRefused;
    case 4: return TDriverClass::IoError;
    case 5: return TDriverClass::Usage;
    case 6: return TDriverClass::Data;
    default: return TDriverClass::Damaged;
  }
}

TDriverSeverity DriverSeverityOf(int32_t result) {
  if (result == drOk) return TDriverSeverity::None;
  const TErrorRow* r = Row(result);
  return r ? r->severity : TDriverSeverity::Fatal;
}

int32_t EngineErrorOf(int32_t result) {
  if (result == drOk) return 0;
  const TErrorRow* r = Row(result);
  return r ? r->engineNr : 10475;
}

std::string DriverResultText(int32_t result) {
  if (result == drOk) return "OK";
  const TErrorRow* r = Row(result);
  return r ? r->text : "Unbekannter Fehler " + Hex(result);
}

void DriverNoteOperation(const char* operation, const std::string& title, int32_t result) {
  TOpRecord& r = gOps[gOpNext];
  gOpNext = (gOpNext + 1) % gOps.size();
  r.op = operation;
  const size_t n = title.size() < 40 ? title.size() : 40;
  std::memcpy(r.title, title.data(), n);
  r.title[n] = 0;
  r.result = result;
}

namespace {
std::unordered_map<std::string, uint64_t>& ErrorsByFile() {
  static std::unordered_map<std::string, uint64_t> errors;
  return errors;
}

// The open actions, the outermost one's test whether a failure belongs to
// it, the failures (result, file) told in them, and the table files whose
// lock the user gave up waiting for in them.
int gActionDepth = 0;
std::function<bool()> gActionHolds;
std::set<std::pair<int32_t, std::string>>& ToldInAction() {
  static std::set<std::pair<int32_t, std::string>> told;
  return told;
}
std::set<std::string>& GivenUpInAction() {
  static std::set<std::string> files;
  return files;
}

// Whether what happens now belongs to an open action.
bool InAction() { return gActionDepth > 0 && (!gActionHolds || gActionHolds()); }
}  // namespace

TDriverAction::TDriverAction(std::function<bool()> holds) {
  if (gActionDepth++ == 0) gActionHolds = std::move(holds);
}

TDriverAction::~TDriverAction() {
  if (--gActionDepth > 0) return;
  ToldInAction().clear();
  GivenUpInAction().clear();
  gActionHolds = nullptr;
}

bool DriverTellOnce(int32_t result, const std::string& file) {
  return !InAction() || ToldInAction().emplace(result, file).second;
}

void DriverGiveUpLock(const std::string& file) {
  if (!file.empty() && InAction()) GivenUpInAction().insert(file);
}

bool DriverLockGivenUp(const std::string& file) {
  return GivenUpInAction().contains(file) && InAction();
}

namespace {
int gUnaskedDepth = 0;
}  // namespace

TUnaskedLockWaits::TUnaskedLockWaits() { ++gUnaskedDepth; }
TUnaskedLockWaits::~TUnaskedLockWaits() { --gUnaskedDepth; }

bool DriverMayAskForLocks() { return gUnaskedDepth == 0; }

TReporterScope::TReporterScope(Filter filter) : outer_(DriverErrorReporter) {
  DriverErrorReporter = [filter = std::move(filter), outer = outer_](int32_t r, const std::string& text) {
    filter(r, text, outer);
  };
}

TReporterScope::~TReporterScope() { DriverErrorReporter = outer_; }

uint64_t DriverErrorsOfFile(const std::string& file) {
  const auto it = ErrorsByFile().find(file);
  return it == ErrorsByFile().end() ? 0 : it->second;
}

int32_t DriverSetResult(int32_t result, const char* operation, const std::string& title,
                        const std::string& detail, const std::string& file) {
  DriverResult = result;
  IsamOK = result == drOk;
  IsamError = EngineErrorOf(result);
  const TDriverSeverity sev = DriverSeverityOf(result);
  if (sev < TDriverSeverity::Warning) return result;

  TErrRecord& e = gErrs[gErrNext];
  gErrNext = (gErrNext + 1) % gErrs.size();
  e.stamp = Stamp();
  e.op = operation ? operation : "";
  e.title = title;
  e.detail = detail;
  e.result = result;
  if (sev < TDriverSeverity::Error) return result;
  if (!file.empty()) ++ErrorsByFile()[file];

  std::string line = e.stamp + "  " + Dec(IsamError) + " " + Hex(result) + " " + e.op + " " +
                     title + ": " + DriverResultText(result);
  if (!detail.empty()) line += " (" + detail + ")";
  AppendLog(line);
  WriteDriverDump();
  const bool tell = DriverTellOnce(result, file);
  if (DriverErrorReporter && tell) {
    DriverErrorFileName = file;
    DriverErrorReporter(result, DriverResultText(result) + ": " + title);
    DriverErrorFileName.clear();
  }
  if (sev == TDriverSeverity::Fatal && DriverFatalSwitch && !DriverClosing) throw EDBError();
  return result;
}

int32_t DriverRepeatResult(int32_t result) {
  DriverResult = result;
  IsamOK = result == drOk;
  IsamError = EngineErrorOf(result);
  return result;
}

void DriverLogLine(const std::string& text) { AppendLog(Stamp() + "  " + text); }

bool WriteDriverDump() {
  std::string out = "Fehlerprotokoll der Dateiverwaltung " + Stamp() + "\r\n\r\nLetzte Fehler:\r\n";
  for (size_t i = 0; i < gErrs.size(); ++i) {
    const TErrRecord& e = gErrs[(gErrNext + i) % gErrs.size()];
    if (e.result == 0) continue;
    out += e.stamp + "  " + Dec(EngineErrorOf(e.result)) + " " + Hex(e.result) + " " + e.op + " " +
           e.title + ": " + DriverResultText(e.result);
    if (!e.detail.empty()) out += " (" + e.detail + ")";
    out += "\r\n";
  }
  out += "\r\nLetzte Operationen:\r\n";
  for (size_t i = 0; i < gOps.size(); ++i) {
    const TOpRecord& r = gOps[(gOpNext + i) % gOps.size()];
    if (!r.op) continue;
    out += std::string(r.op) + " " + r.title + " -> " + Hex(r.result) + "\r\n";
  }
  std::FILE* f = std::fopen(NativeFileName(ProgramDirectory + kDriverDumpFile).c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}
