#include "storage/lockturns.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/paths.h"

namespace {

constexpr int kWaitingByte = 0;
constexpr int kWritingByte = 1;

bool LockByte(int fd, int byte, short type) {
  flock l{};
  l.l_type = type;
  l.l_whence = SEEK_SET;
  l.l_start = byte;
  l.l_len = 1;
  return fcntl(fd, F_SETLK, &l) == 0;
}

void PauseMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

TLockTurns::~TLockTurns() { SetFile(std::string()); }

void TLockTurns::SetFile(const std::string& path) {
  if (fd_ >= 0) close(fd_);  // ends every lock of this station on it too
  fd_ = -1;
  announced_ = writing_ = false;
  path_ = path;
}

bool TLockTurns::OpenSignal(bool create) {
  if (fd_ >= 0) return true;
  if (path_.empty()) return false;
  const std::string name = NativeFileName(SignalFile(path_));
  fd_ = open(name.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
  return fd_ >= 0;
}

bool TLockTurns::HeldByOthers(int byte) {
  // The locks of this process are never reported: only other stations count.
  flock l{};
  l.l_type = F_WRLCK;
  l.l_whence = SEEK_SET;
  l.l_start = byte;
  l.l_len = 1;
  return fcntl(fd_, F_GETLK, &l) == 0 && l.l_type != F_UNLCK;
}

void TLockTurns::Announce() {
  if (announced_ || !OpenSignal(true)) return;
  announced_ = LockByte(fd_, kWaitingByte, F_RDLCK);
}

void TLockTurns::Withdraw() {
  if (!announced_) return;
  LockByte(fd_, kWaitingByte, F_UNLCK);
  announced_ = false;
}

void TLockTurns::WaitForTurn(int ms) {
  if (fd_ < 0) {
    PauseMs(ms);
    return;
  }
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  bool writerSeen = false;
  while (std::chrono::steady_clock::now() < until) {
    const bool writing = HeldByOthers(kWritingByte);
    if (writerSeen && !writing) return;
    writerSeen = writerSeen || writing;
    PauseMs(1);
  }
}

bool TLockTurns::OthersWaiting() {
  // No signal file: no station has ever had to wait for this table.
  return OpenSignal(false) && HeldByOthers(kWaitingByte);
}

void TLockTurns::LetWaitersIn(int maxWaitMs) {
  if (!OthersWaiting()) return;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxWaitMs);
  do {
    PauseMs(1);
  } while (HeldByOthers(kWaitingByte) && std::chrono::steady_clock::now() < until);
}

void TLockTurns::BeginWriting() {
  if (!writing_ && OpenSignal(false)) writing_ = LockByte(fd_, kWritingByte, F_WRLCK);
}

void TLockTurns::EndWriting() {
  if (!writing_) return;
  LockByte(fd_, kWritingByte, F_UNLCK);
  writing_ = false;
}
