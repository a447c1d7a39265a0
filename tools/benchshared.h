#pragma once
// What the benchmarks of the log window's entry share: the figures of a
// series of timings, the prefix tables built from a country file and keys
// sent to the window.
#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/codec.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"

namespace bench {

struct Figures {
  double median = 0, p99 = 0, max = 0;
};

inline Figures Summary(std::vector<double> v) {
  Figures f;
  if (v.empty()) return f;
  std::sort(v.begin(), v.end());
  f.median = v[v.size() / 2];
  f.p99 = v[std::min(v.size() - 1, v.size() * 99 / 100)];
  f.max = v.back();
  return f;
}

// The prefix tables of the program directory, filled from the country file.
inline bool BuildPrefixTables(const std::string& cty) {
  std::string bytes;
  if (!ReadFileBytes(cty, bytes)) return false;
  std::vector<std::string> errors;
  std::string error;
  return WritePrefixTables(BuildPrefixRecords(ParseCtyCsv(DecodeTextBytes(bytes), errors)), error);
}

// Keys as the keyboard sends them to the focused widget.
inline void Key(QWidget* w, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &release);
}
inline void Keys(QWidget* w, const QString& text) {
  for (const QChar c : text) Key(w, c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : c.unicode(), QString(c));
}

// The log window as the user gets it: the entry prepared, shown at the
// size the benchmarks type into, active, drawn.
template <class TWindow>
void ShowLogWindow(TWindow& window) {
  window.StartNewEntry(false);
  window.resize(1280, 900);
  window.show();
  QApplication::setActiveWindow(&window);
  QCoreApplication::processEvents();
}

}  // namespace bench
