#pragma once
// Turns at the locks of one table file between stations.
//
// A refused lock gets no place in a queue from the engine: a station that
// writes back-to-back finds the file free again a few microseconds after
// each commit, while a station that retries every 64 ms hardly ever hits
// that moment and runs into the lock question. So stations that meet each
// other at a table agree on turns through byte-range locks on a small file
// beside it ("<table file>-wait", made by the first station that has to
// wait):
// - a station whose lock was refused holds a shared lock on byte 0 until
//   the operation it waited for is over;
// - a station about to take the write lock first lets such stations in: it
//   waits until none is left, at most a little longer than one retry wait;
// - while the signal file exists, the station holding the write lock holds
//   byte 1, so that a waiting station wakes as soon as the writer lets go
//   instead of at the end of its retry wait.
#include <string>

class TLockTurns {
 public:
  TLockTurns() = default;
  ~TLockTurns();
  TLockTurns(const TLockTurns&) = delete;
  TLockTurns& operator=(const TLockTurns&) = delete;

  // The table file (empty: a table in memory, no turns).
  void SetFile(const std::string& path);

  // This station waits for a lock of the file; repeated calls keep the one
  // announcement.
  void Announce();
  // This station's wait is over.
  void Withdraw();
  bool Announced() const { return announced_; }
  // A retry wait of a waiting station: at most ms milliseconds, less when a
  // writer that held the file lets go.
  void WaitForTurn(int ms);

  // Another station waits for a lock of the file.
  bool OthersWaiting();
  // Before this station takes the write lock: while another station waits,
  // let it in, for at most maxWaitMs.
  void LetWaitersIn(int maxWaitMs);
  // This station holds the write lock / has let it go.
  void BeginWriting();
  void EndWriting();

  static std::string SignalFile(const std::string& path) { return path + "-wait"; }

 private:
  bool OpenSignal(bool create);
  // Another station holds a lock on the byte.
  bool HeldByOthers(int byte);

  std::string path_;
  int fd_ = -1;
  bool announced_ = false;
  bool writing_ = false;
};
