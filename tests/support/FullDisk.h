#pragma once
// A full disk, for a forked child: from the call on, no file of the process
// grows past limit bytes and nothing is written beyond that offset
// (RLIMIT_FSIZE), and such a write fails with an error, as on a full disk,
// instead of ending the process. The limit holds for the rest of the
// process: call it in a child only.
#include <signal.h>
#include <sys/resource.h>

inline bool FillDisk(rlim_t limit) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit rl{limit, limit};
  return setrlimit(RLIMIT_FSIZE, &rl) == 0;
}
