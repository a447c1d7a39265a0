#include "contest/LogServices.h"

namespace {
TLogWindowOpener* logWindowOpener = nullptr;
TLogOutputWriter* logOutputWriter = nullptr;
TMemoWindow* memoWindow = nullptr;

template <typename T>
T* Exchange(T*& slot, T* value) {
  T* previous = slot;
  slot = value;
  return previous;
}
}  // namespace

TLogWindowOpener* SetLogWindowOpener(TLogWindowOpener* opener) {
  return Exchange(logWindowOpener, opener);
}
TLogWindowOpener* LogWindowOpener() { return logWindowOpener; }
TLogOutputWriter* SetLogOutputWriter(TLogOutputWriter* writer) {
  return Exchange(logOutputWriter, writer);
}
TLogOutputWriter* LogOutputWriter() { return logOutputWriter; }
TMemoWindow* SetMemoWindow(TMemoWindow* memo) { return Exchange(memoWindow, memo); }
TMemoWindow* MemoWindow() { return memoWindow; }
