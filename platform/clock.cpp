#include "platform/clock.h"

#include <QTimeZone>

namespace {
std::function<QDateTime()>& Override() {
  static std::function<QDateTime()> f;
  return f;
}
}  // namespace

QDateTime CurrentLocalDateTime() {
  if (Override()) return Override()();
  return QDateTime::currentDateTime();
}

int SystemUtcBiasMinutes() {
  const QDateTime now = CurrentLocalDateTime();
  return -QTimeZone::systemTimeZone().offsetFromUtc(now) / 60;
}

void SetClockOverride(std::function<QDateTime()> clock) { Override() = std::move(clock); }
