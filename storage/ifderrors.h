#pragma once
// Results and errors of the storage engine and its driver classes.
//
// Every driver operation leaves its result in DriverResult: 0 success,
// 1 not found / end of the index, 2 record gone (deleted or never there),
// and above that one of the driver codes 0x3000..0x7FFF. The high nibble of a
// driver code is its class; each code also carries the engine's error number
// (9900..10475, kept in IsamError with IsamOK false) and a severity.
// Failures never throw, except while the fatal-error switch is on: then an
// error of fatal severity raises EDBError("Datenbankfehler").
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

// Driver results below the driver codes.
constexpr int32_t drOk = 0;
constexpr int32_t drNotFound = 1;    // no such key, end or start of the index
constexpr int32_t drRecordGone = 2;  // the record was deleted or never existed

// Driver codes. Class by range: 0x3xxx lock refused, 0x4xxx input/output,
// 0x5xxx use (table not open, bad argument), 0x6xxx data (duplicate key,
// record length), 0x7xxx damaged file or engine failure.
constexpr int32_t drLockRefused = 0x3001;     // a lock was refused and not retried further
constexpr int32_t drOpenFailed = 0x4001;      // the table file cannot be opened or created
constexpr int32_t drAccessDenied = 0x4002;    // no permission to write the table file
constexpr int32_t drReadOnly = 0x4003;        // the table file is read-only
constexpr int32_t drIoError = 0x4004;         // reading or writing the file failed
constexpr int32_t drDiskFull = 0x4005;        // the disk is full
constexpr int32_t drDeleteFailed = 0x4006;    // a table file could not be deleted
constexpr int32_t drFileGone = 0x4007;        // the open table file was deleted or moved away
constexpr int32_t drFileReplaced = 0x4008;    // another file was put in the open table file's place
constexpr int32_t drNotOpen = 0x5001;         // the table is not open
constexpr int32_t drBadKeyNumber = 0x5002;    // no index with that number
constexpr int32_t drBadArgument = 0x5003;     // an argument out of range
constexpr int32_t drNoPosition = 0x5004;      // no current record
constexpr int32_t drInTransaction = 0x5005;   // not allowed inside a transaction
constexpr int32_t drDuplicateKey = 0x6001;    // a unique index holds that key already
constexpr int32_t drRecordLength = 0x6002;    // record length out of range
constexpr int32_t drKeyDefinition = 0x6003;   // key list unusable
constexpr int32_t drDamaged = 0x7001;         // the file is damaged or no table file
constexpr int32_t drEngineFailure = 0x7002;   // any other engine failure

enum class TDriverClass : uint8_t {
  Ok = 0,
  NotFound = 1,
  RecordGone = 2,
  LockRefused = 3,
  IoError = 4,
  Usage = 5,
  Data = 6,
  Damaged = 7,
};

enum class TDriverSeverity : uint8_t { None = 0, Info = 1, Warning = 2, Error = 3, Fatal = 4 };

TDriverClass DriverClassOf(int32_t result);
TDriverSeverity DriverSeverityOf(int32_t result);
// The engine's error number of a result (0 for success), 9900..10475 otherwise.
int32_t EngineErrorOf(int32_t result);
// A German description of a result (program text).
std::string DriverResultText(int32_t result);

// The result of the last driver operation (0 = success).
extern int32_t DriverResult;
// The engine's ok flag and error number of the last operation.
extern bool IsamOK;
extern int32_t IsamError;

// The fatal-error switch: while on, an error of fatal severity raises EDBError.
extern bool DriverFatalSwitch;
// Set while the file manager shuts down: fatal errors no longer raise.
extern bool DriverClosing;

class EDBError : public std::runtime_error {
 public:
  EDBError() : std::runtime_error("Datenbankfehler") {}
};

// The name of the error log in the program directory ("KX.ERR" while the
// file manager starts, "IFD.ERR" afterwards); empty writes no log.
extern std::string DriverErrorLogName;
// The dump file of recent operations and errors.
inline constexpr const char* kDriverDumpFile = "IFDErr.Dmp";

// Reports an error to the user (installed by the file manager); called for
// errors of severity Error and above except refused locks, which the retry
// question has handled already.
using TDriverErrorReporter = std::function<void(int32_t result, const std::string& text)>;
extern TDriverErrorReporter DriverErrorReporter;
// The table file of the error being reported (program text); empty when the
// error concerns no particular file.
extern std::string DriverErrorFileName;

// Bookkeeping of every driver operation, kept in a ring of the last 64.
void DriverNoteOperation(const char* operation, const std::string& title, int32_t result);
// Sets DriverResult, IsamOK and IsamError; on an error writes the log line
// and the dump, calls the reporter and, by the fatal switch, raises EDBError.
// detail: extra text for the log (e.g. the engine's own message).
// file: the table file concerned, handed to the reporter in DriverErrorFileName.
int32_t DriverSetResult(int32_t result, const char* operation, const std::string& title,
                        const std::string& detail = std::string(),
                        const std::string& file = std::string());
// Routes the error reports through a filter for its lifetime; the filter
// is given the reporter it replaces.
class TReporterScope {
 public:
  using Filter = std::function<void(int32_t, const std::string&, const TDriverErrorReporter&)>;
  explicit TReporterScope(Filter filter);
  ~TReporterScope();
  TReporterScope(const TReporterScope&) = delete;
  TReporterScope& operator=(const TReporterScope&) = delete;

 private:
  TDriverErrorReporter outer_;
};

// One action of the user (a save, the close of a log) from its start to its
// end. The steps of an action that follow a failure meet the same fault
// again: while an action is open, a failure already reported in it (the
// same result on the same table file) is logged but not reported again, so
// the user hears of each fault once per action. Any other failure is
// reported as usual. Actions nest; an inner one is part of the outer one.
// holds (of the outermost action) tells whether a failure met now belongs to
// the action: a window opened over the one the action began in has actions
// of its own, whose failures are reported as they come.
// Once the user answers the lock question of a table file "no" (gives up
// waiting for another station), the action's work on that file is over:
// every later wait for its lock in the action fails at once, unasked. The
// waits for the other files go on as before.
class TDriverAction {
 public:
  explicit TDriverAction(std::function<bool()> holds = {});
  ~TDriverAction();
  TDriverAction(const TDriverAction&) = delete;
  TDriverAction& operator=(const TDriverAction&) = delete;
};

// Whether a failure (result on the table file file) met now is to be told:
// false when the open action told it already (see TDriverAction); the first
// time it is noted as told. Outside an action, always true.
bool DriverTellOnce(int32_t result, const std::string& file);
// The user answered the lock question for file "no": that ends the open
// action's waits for it (see TDriverAction). Outside an action nothing is
// kept.
void DriverGiveUpLock(const std::string& file);
// Whether the user gave up waiting for file's lock in the open action.
bool DriverLockGivenUp(const std::string& file);

// While one lives, what the program reads does not ask the lock question:
// a wait for another station's lock ends, once its retries are spent, as a
// refused lock, and nothing is given up for the action. For what is read
// while the user types (the marks of the QSO being typed): a question
// coming up between two keys would take the keys typed behind it -- the
// Enter that was to save the QSO -- and the answer would be to a question
// the user never meant to be asked.
class TUnaskedLockWaits {
 public:
  TUnaskedLockWaits();
  ~TUnaskedLockWaits();
  TUnaskedLockWaits(const TUnaskedLockWaits&) = delete;
  TUnaskedLockWaits& operator=(const TUnaskedLockWaits&) = delete;
};
// Whether a lock question may be asked now (see TUnaskedLockWaits).
bool DriverMayAskForLocks();

// How many errors (severity Error and above) of the table file file
// DriverSetResult has met in this process: a job that notes the number
// before it and compares after knows whether the file failed meanwhile.
uint64_t DriverErrorsOfFile(const std::string& file);
// A failure that was reported when it happened, met again by a later step
// of the same job (a job the engine gave up): sets DriverResult, IsamOK and
// IsamError as DriverSetResult does, with no log line, dump, report or
// EDBError, so that the user hears of it once.
int32_t DriverRepeatResult(int32_t result);
// Appends one line (with date and time) to the error log.
void DriverLogLine(const std::string& text);
// Writes the dump file now (program directory + "IFDErr.Dmp"); true on success.
bool WriteDriverDump();
