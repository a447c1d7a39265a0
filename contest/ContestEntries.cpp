#include "contest/ContestEntries.h"

TContestEntries& ContestEntries() {
  static TContestEntries entries;
  return entries;
}
