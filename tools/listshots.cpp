// Writes pictures of the list windows and charts of the log window into a
// folder, rendered offscreen, so that their look can be checked without a
// desktop: the DXCC picker in its three views, the prefix list in browse
// mode, both evaluation charts and the statistics table control.
//   listshots <folder> [cty.csv]
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/dialogs/DatenListeForm.h"
#include "logentry/dialogs/DatenPrefixFkt.h"
#include "logentry/dialogs/DatenPrefixListeCtrl.h"
#include "logentry/dialogs/auswertungform.h"
#include "logentry/window/kxstattabelle.h"
#include "logentry/dialogs/partyausw.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"
#include "ui/kxbrow.h"
#include "ui/kxEdit.h"

namespace {

QString gOut;

void Save(QWidget* w, const char* name) {
  QApplication::processEvents();
  const QString file = gOut + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
  if (!w->grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
}

// Runs steps on the modal window once it is up; each step gets the window.
void OnModal(std::vector<std::function<void(QWidget*)>> steps) {
  QTimer::singleShot(100, [steps] {
    QWidget* w = QApplication::activeModalWidget();
    if (w == nullptr) return;
    QApplication::processEvents();
    for (const auto& step : steps) step(w);
  });
}

void SelectView(TDatenListeForm* f, int index) {
  QComboBox* views = f->Brow->ViewCombo();
  views->setCurrentIndex(index);
  emit views->activated(index);
}

int32_t NewLog(TdbContest& list, char letter, int32_t start) {
  TContestRecord r{};
  rec::SetChar(r.data(), crec::kTyp, letter);
  rec::SetInt32(r.data(), crec::kDatumVon, start);
  list.ClearRecord();
  list.SetContestRecord(r);
  list.Add();
  list.GetContestRecord(r);
  return rec::GetInt32(r.data(), crec::kNummer);
}

void AddQso(TdbContest& log, int32_t date, int32_t time, const std::string& exchange,
            const std::string& cmulti) {
  TContestQsoRecord q{};
  rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DL1ABC");
  rec::SetInt32(q.data(), qrec::kDatum, date);
  rec::SetInt32(q.data(), qrec::kZeit, time);
  rec::SetUInt16(q.data(), qrec::kPunkte, 10);
  rec::SetStr(q.data(), qrec::kCMulti, qrec::kCMultiCap, cmulti);
  TContestFkt::SetReceivedExchange(exchange, q);
  log.ClearRecord();
  log.SetQsoRecord(q);
  log.Add();
}

void Charts() {
  TdbContest list(kContestList, false, 0);
  const int32_t start = ToDates.DMYToDate(17, 10, 2015);
  const int32_t party = NewLog(list, 'P', start);
  {
    TdbContest log(kContestLog, false, party);
    log.BeginTransaction();
    for (int i = 0; i < 500; ++i) {
      const int years = (i * i + 7 * i) % 60 + (i % 7 == 0 ? 30 : 0);
      AddQso(log, start, 6 * 3600 + i * 30, "59 " + ToStrings.IntToStrZero(years, 2), "");
    }
    log.CommitTransaction();
  }
  TChartWindowRect place;
  OnModal({[](QWidget* w) { Save(w, "chart_membership_1"); },
           [](QWidget* w) {
             static_cast<Tpartyauswertungform*>(w)->r5->click();
             Save(w, "chart_membership_5");
           },
           [](QWidget* w) {
             static_cast<Tpartyauswertungform*>(w)->r10->click();
             Save(w, "chart_membership_10");
             w->close();
           }});
  RunEvaluationChart(nullptr, list, place);

  const int32_t wag = NewLog(list, 'W', start);
  {
    TdbContest log(kContestLog, false, wag);
    log.BeginTransaction();
    for (int i = 0; i < 500; ++i) {
      int hour = (i * 7) % 24;
      if (hour >= 12 && hour <= 14) hour -= 4;  // the quiet hours of the night
      const int32_t t = 15 * 3600 + hour * 3600 + (i * 37) % 3500;
      AddQso(log, start + t / 86400, t % 86400, "599001", i % 9 == 0 ? "DL" : "");
    }
    log.CommitTransaction();
  }
  OnModal({[](QWidget* w) {
    Save(w, "chart_hourly");
    w->close();
  }});
  list.FindByNumber(wag);
  RunEvaluationChart(nullptr, list, place);
}

void PrefixLists() {
  OnModal({[](QWidget* w) { Save(w, "picker_details"); },
           [](QWidget* w) {
             static_cast<TDatenListeForm*>(w)->Brow->SearchField()->setText(QStringLiteral("dl"));
             Save(w, "picker_search_dl");
           },
           [](QWidget* w) {
             SelectView(static_cast<TDatenListeForm*>(w), 0);
             Save(w, "picker_liste");
           },
           [](QWidget* w) {
             SelectView(static_cast<TDatenListeForm*>(w), 2);
             Save(w, "picker_miniatur");
             w->close();
           }});
  std::string dxcc, prefix;
  TDatenPrefixFkt::ChooseDxcc(dxcc, "", prefix);

  OnModal({[](QWidget* w) {
    auto* f = static_cast<TDatenListeForm*>(w);
    QComboBox* sort = f->Brow->SortCombo();
    sort->setCurrentIndex(1);
    emit sort->activated(1);
    Save(w, "prefixlist_browse_country");
    w->close();
  }});
  TDatenPrefixListeCtrl browse(nullptr, false, "", 14, 1);
  browse.Execute();
}

// The DXCC picker and the prefix list once more for a user who chose a
// larger font: the browser bar grows with it.
void PrefixListsLarge(int fontSize) {
  ToSetupColors colors, saved;
  ToSetups.GetColors(saved);
  colors = saved;
  rec::SetInt32(colors.data(), colorsrec::kFontSize, fontSize);
  ToSetups.SetColors(colors);
  const std::string size = std::to_string(fontSize);
  OnModal({[size](QWidget* w) {
    Save(w, ("picker_details_size" + size).c_str());
    w->close();
  }});
  std::string dxcc, prefix;
  TDatenPrefixFkt::ChooseDxcc(dxcc, "", prefix);
  OnModal({[size](QWidget* w) {
    Save(w, ("prefixlist_browse_size" + size).c_str());
    w->close();
  }});
  TDatenPrefixListeCtrl browse(nullptr, false, "", 14, 1);
  browse.Execute();
  ToSetups.SetColors(saved);
}

void StatTable() {
  QWidget owner;
  owner.resize(430, 300);
  auto* table = new TkxStatTabelle(&owner);
  table->setGeometry(owner.rect());
  owner.show();
  Save(&owner, "stattabelle");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: listshots <folder> [cty.csv]\n");
    return 2;
  }
  gOut = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(gOut);
  QTemporaryDir dir;
  ProgramDirectory = QStringToFileName(dir.path()) + "/";
  std::vector<std::string> lines;
  const std::string cty = argc >= 3 ? argv[2] : "/usr/share/hamradio-files/cty.csv";
  if (!ReadTextFile(Utf8ToAnsi(cty), lines)) {
    std::fprintf(stderr, "listshots: %s cannot be read\n", cty.c_str());
    return 1;
  }
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  std::vector<std::string> errors;
  std::string error;
  if (!WritePrefixTables(BuildPrefixRecords(ParseCtyCsv(text, errors)), error)) {
    std::fprintf(stderr, "listshots: %s\n", AnsiToUtf8(error).c_str());
    return 1;
  }
  Charts();
  PrefixLists();
  for (int size : {10, 11, 12}) PrefixListsLarge(size);
  StatTable();
  std::printf("pictures in %s\n", qPrintable(gOut));
  return 0;
}
