#include "contest/LogServices.h"

namespace {
TLogOutputWriter* logOutputWriter = nullptr;
TMemoWindow* memoWindow = nullptr;

template <typename T>
T* Exchange(T*& slot, T* value) {
  T* previous = slot;
  slot = value;
  return previous;
}
}  // namespace

TLogOutputWriter* SetLogOutputWriter(TLogOutputWriter* writer) {
  return Exchange(logOutputWriter, writer);
}
TLogOutputWriter* LogOutputWriter() { return logOutputWriter; }
TMemoWindow* SetMemoWindow(TMemoWindow* memo) { return Exchange(memoWindow, memo); }
TMemoWindow* MemoWindow() { return memoWindow; }
