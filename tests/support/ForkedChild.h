#pragma once
// A second station for the sharing tests: a forked child process and two
// pipes between it and the test. The child must not use the table
// connections it inherits; it opens its own (by another spelling of the
// program directory, see OwnConnections) and ends with _exit.
#include <poll.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "support/HangGuard.h"

struct ForkedChild {
  int toParent[2] = {-1, -1};
  int toChild[2] = {-1, -1};
  pid_t pid = -1;

  bool Fork() {
    // A word to a child that has ended already must not end the test.
    signal(SIGPIPE, SIG_IGN);
    if (pipe(toParent) != 0 || pipe(toChild) != 0) return false;
    pid = fork();
    if (pid == 0) {
      close(toParent[0]);
      close(toChild[1]);
    } else {
      close(toParent[1]);
      close(toChild[0]);
    }
    return pid >= 0;
  }
  bool InChild() const { return pid == 0; }
  // Child side.
  void Tell(char c) const { (void)!write(toParent[1], &c, 1); }
  char Wait() const {
    char c = 0;
    return read(toChild[0], &c, 1) == 1 ? c : 0;
  }
  // Parent side.
  void Send(char c) const { (void)!write(toChild[1], &c, 1); }
  char Receive(int timeoutMs = kHangGuardMs) const {
    pollfd p{toParent[0], POLLIN, 0};
    if (poll(&p, 1, timeoutMs) != 1) return 0;
    char c = 0;
    return read(toParent[0], &c, 1) == 1 ? c : 0;
  }
  // Waits for the child's end: its exit code, -1 when it was killed.
  int Exit() {
    int status = 0;
    waitpid(pid, &status, 0);
    close(toParent[0]);
    close(toChild[1]);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Forks another station that holds the table file nativePath for writing
  // (the engine's exclusive lock, as while it commits a job): no station
  // reads the file meanwhile. It lets go at Send; Exit gives 0 when it held
  // the file. False when the station could not be started.
  bool HoldForWriting(const std::string& nativePath) {
    if (!Fork()) return false;
    if (InChild()) {
      sqlite3* db = nullptr;
      const bool held = sqlite3_open_v2(nativePath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
                        sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
      Tell('L');
      Wait();
      _exit(held ? 0 : 1);
    }
    return Receive() == 'L';
  }

  // In the child: tables opened from now on get connections of their own,
  // as another station's would be (the file names differ in spelling only).
  static void OwnConnections() { ProgramDirectory += "./"; }
};

// Whether another process could take the write lock of the table file
// nativePath at once: it asks the system for a write lock on the engine's
// lock bytes (from its pending byte at 1 GiB through its shared range, 512
// bytes), which it is given only while no process holds any lock of the
// file. The child asks the system itself, not the engine, whose state in a
// forked child still shows the parent's locks.
inline bool AnotherProcessTakesTheWriteLock(const std::string& nativePath) {
  ForkedChild other;
  if (!other.Fork()) return false;
  if (other.InChild()) {
    const int fd = open(nativePath.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) _exit(2);
    flock l{};
    l.l_type = F_WRLCK;
    l.l_whence = SEEK_SET;
    l.l_start = 0x40000000;
    l.l_len = 512;
    _exit(fcntl(fd, F_SETLK, &l) == 0 ? 0 : 1);
  }
  const int code = other.Exit();
  EXPECT_TRUE(code == 0 || code == 1) << "the other process could not open the file";
  return code == 0;
}
