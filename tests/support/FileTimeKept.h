#pragma once
// A change to a file that leaves what a directory listing shows as it was:
// the change is made, then the file's access and modification times are
// put back. As a bad sector, a tool that puts the time back or a coarse
// clock on a network folder leave it.
#include <fcntl.h>
#include <sys/stat.h>

#include <string>

// Runs change on the file at nativePath (a native file name) and puts its
// times back; false when change fails, the file's size changed or its time
// could not be put back.
template <class Change>
bool ChangeKeepingSizeAndTime(const std::string& nativePath, Change&& change) {
  struct stat before {};
  if (stat(nativePath.c_str(), &before) != 0 || !change()) return false;
  const timespec times[2] = {before.st_atim, before.st_mtim};
  struct stat after {};
  return utimensat(AT_FDCWD, nativePath.c_str(), times, 0) == 0 && stat(nativePath.c_str(), &after) == 0 &&
         after.st_size == before.st_size && after.st_mtim.tv_sec == before.st_mtim.tv_sec &&
         after.st_mtim.tv_nsec == before.st_mtim.tv_nsec;
}
