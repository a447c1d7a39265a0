#pragma once
// The period dialog of the one-hour day contest: which 60-minute window of
// the contest day is evaluated. While the form opens it sums the QSO points
// of every window starting between 10:00 and 15:00 in steps of a minute and
// proposes the best one.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QWidget;

struct TzeitraumeutagCtrlRec {
  std::string Von;
  std::string Bis;
};

// Time and points of one QSO of a log.
struct TQsoTimePoints {
  int32_t Time = 0;  // seconds since midnight
  int32_t Points = 0;
};

// The QSOs of a log's QSO table (band-change rows and QSOs without a time
// left out).
std::vector<TQsoTimePoints> ReadQsoTimePoints(int32_t nummer);

// Progress of the decision aid: state 0 starts (maximum 300), state 1 is
// window position with its line, state 2 ends with the proposed from and to
// times ("hh:mm:ss") in text and text2.
using TPeriodProgress =
    std::function<void(int state, int position, const std::string& text, const std::string& text2)>;

// Sums the points of the 301 windows 10:00:00-10:59:59 to 15:00:00-15:59:59
// (a QSO counts when from <= its time <= to) and reports every window; the
// first window with the highest sum is proposed, 10:00:00 when no window
// has points.
void RunPeriodAid(const std::vector<TQsoTimePoints>& qsos, const TPeriodProgress& progress);

// Checks the two confirmed texts ("hh:mm" or "hh:mm:ss"); false with a
// German message when one is not a time or the end lies before the start.
bool CheckPeriodTexts(const std::string& von, const std::string& bis, std::string& message);

class TzeitraumeutagCtrl {
 public:
  TzeitraumeutagCtrl(QWidget* owner, int32_t nummer);

  // True when the dialog was closed with OK; Von and Bis then hold the texts.
  bool Execute();

  int32_t Nummer() const { return nummer_; }
  const std::string& Von() const { return von_; }
  const std::string& Bis() const { return bis_; }

 private:
  QWidget* owner_;
  int32_t nummer_;
  std::string von_;
  std::string bis_;
};
