#include "outputs/ZeitraumEUTagCtrl.h"

#include <algorithm>
#include <cstring>

#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "outputs/allerout.h"
#include "outputs/stdrout.h"
#include "outputs/zeitraumeutagForm.h"

std::vector<TQsoTimePoints> ReadQsoTimePoints(int32_t nummer) {
  std::vector<TQsoTimePoints> out;
  TdbContest log(kContestLog, false, nummer);
  TdbTreiber* driver = log.GetTreiber();
  if (!driver) return out;
  // One pass over the storage in time order.
  TContestQsoRecord q{};
  driver->ScanRecords(
      [&](int32_t, std::string_view data) {
        q.fill(0);
        std::memcpy(q.data(), data.data(), std::min(data.size(), q.size()));
        if (IsBandChangeMarker(rec::GetByte(q.data(), qrec::kQsoMarker))) return true;
        const int32_t time = rec::GetInt32(q.data(), qrec::kZeit);
        if (time >= 0) out.push_back({time, rec::GetUInt16(q.data(), qrec::kPunkte)});
        return true;
      },
      qrec::kKeyDatumZeit);
  return out;
}

void RunPeriodAid(const std::vector<TQsoTimePoints>& qsos, const TPeriodProgress& progress) {
  constexpr int kWindows = 300;
  progress(0, 0, "", "");
  // Sorted times with running point sums: each window's sum is the
  // difference of two sums, so 301 windows cost no more than one pass.
  std::vector<TQsoTimePoints> sorted = qsos;
  std::sort(sorted.begin(), sorted.end(),
            [](const TQsoTimePoints& a, const TQsoTimePoints& b) { return a.Time < b.Time; });
  std::vector<int64_t> before(sorted.size() + 1, 0);
  for (size_t i = 0; i < sorted.size(); ++i) before[i + 1] = before[i] + sorted[i].Points;
  auto countBelow = [&sorted](int32_t time) {
    return static_cast<size_t>(
        std::lower_bound(sorted.begin(), sorted.end(), time,
                         [](const TQsoTimePoints& q, int32_t t) { return q.Time < t; }) -
        sorted.begin());
  };

  const int32_t first = ToDates.HMSToTime(10, 0, 0);
  int32_t bestStart = first;
  int64_t best = 0;
  for (int i = 0; i <= kWindows; ++i) {
    const int32_t start = ToDates.IncTime(first, 0, i, 0);
    const int32_t end = ToDates.IncTime(start, 0, 59, 59);
    const int64_t sum = before[countBelow(end + 1)] - before[countBelow(start)];
    if (sum > best) {
      best = sum;
      bestStart = start;
    }
    progress(1, i,
             ToDates.TimeToTimeString(start, "hh:mm:ss") + " -> " +
                 ToDates.TimeToTimeString(end, "hh:mm:ss") + " = " + std::to_string(sum),
             "");
  }
  progress(2, kWindows, ToDates.TimeToTimeString(bestStart, "hh:mm:ss"),
           ToDates.TimeToTimeString(ToDates.IncTime(bestStart, 0, 59, 59), "hh:mm:ss"));
}

bool CheckPeriodTexts(const std::string& von, const std::string& bis, std::string& message) {
  const int32_t from = ToDates.TimeStringToTime(von, "hh:mm:ss");
  const int32_t to = ToDates.TimeStringToTime(bis, "hh:mm:ss");
  if (from == BadTime || to == BadTime) {
    message = "Bitte beide Zeiten in der Form hh:mm angeben.";
    return false;
  }
  if (to < from) {
    message = "Das Ende des Zeitraums liegt vor seinem Anfang.";
    return false;
  }
  return true;
}

TzeitraumeutagCtrl::TzeitraumeutagCtrl(QWidget* owner, int32_t nummer)
    : owner_(owner), nummer_(nummer) {}

bool TzeitraumeutagCtrl::Execute() {
  TzeitraumeutagCtrlRec rec;
  TzeitraumeutagForm form(owner_, this);
  form.ShowData(rec);
  if (form.ShowModal() != 1) return false;
  form.GetData(rec);
  von_ = rec.Von;
  bis_ = rec.Bis;
  return true;
}

bool ChooseEUTagPeriod(QWidget* owner, int32_t nummer, std::string& from, std::string& to) {
  TzeitraumeutagCtrl ctrl(owner, nummer);
  if (!ctrl.Execute()) return false;
  from = ctrl.Von();
  to = ctrl.Bis();
  return true;
}

void InstallPeriodDialog() { SetPeriodChooser(ChooseEUTagPeriod); }
