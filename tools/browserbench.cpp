// Measures paging through a 10,000-record table page by page, from the first
// page to the last: once on the paging engine alone (pages of 30 and of 250
// rows) and once through the browser panel (page key, grid repaint). The
// table is held in memory behind the browser's driver interface.
#include <QApplication>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/kbrowser.h"
#include "ui/kbrowser_memindex.h"
#include "ui/kxbrow.h"
#include "ui/kxbrow_strgrid.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Stats {
  int steps = 0;
  double total = 0, worst = 0;
  void Add(Clock::duration d) {
    const double ms = std::chrono::duration<double, std::milli>(d).count();
    ++steps;
    total += ms;
    worst = std::max(worst, ms);
  }
  void Print(const char* what) const {
    std::printf("%-44s %5d steps  mean %.3f ms  worst %.3f ms\n", what, steps,
                steps ? total / steps : 0.0, worst);
  }
};

std::string CallOf(const std::string& r) { return r.substr(0, r.find(';')); }

struct Builder : TKBrowserOwner {
  explicit Builder(TBrowMemIndex& ix) : ix(ix) {}
  TBrowMemIndex& ix;
  void BuildRow(RowRec& r) override { r.Row = ix.Record(); }
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const int n = 10000;
  TBrowMemIndex ix({CallOf});
  for (int i = 1; i <= n; ++i) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "DL%05d;Name %d;JO%02d;599;%04d;Bemerkung zum QSO", i, i % 977,
                  i % 90, i);
    ix.Add(buf);
  }
  std::printf("table: %d records in memory (browser driver interface)\n", n);

  bool ok = true;
  for (int page : {30, 250}) {
    Builder b(ix);
    TKBrowser e(&ix, page, 1, TKeyStr{}, TKeyStr{}, false);
    Stats s;
    auto t0 = Clock::now();
    e.First(&b);
    s.Add(Clock::now() - t0);
    int last = 0;
    for (;;) {
      t0 = Clock::now();
      e.ScrollDown(&b, page, 0, 1, true);
      s.Add(Clock::now() - t0);
      if (e.MovedRows() == 0) break;
      last = e.Row(e.LastValidRow()).Ref;
    }
    if (last != n) ok = false;
    char what[64];
    std::snprintf(what, sizeof what, "engine, page of %d rows", page);
    s.Print(what);
    ok = ok && s.worst < 16.0;
  }

  TkxBrow brow;
  Builder unused(ix);
  brow.resize(900, 700);
  brow.OnBuildRow = [&](RowRec& r) { r.Row = ix.Record(); };
  brow.OnSetHeaderFooter = [&] {
    brow.SetHeaderFooter("Rufzeichen;Name;Locator;RST;Nr;Bemerkung", "");
  };
  brow.show();
  QCoreApplication::processEvents();
  brow.Open(0, &ix, TKeyStr{}, TKeyStr{}, 1);
  QCoreApplication::processEvents();
  Stats s;
  int32_t lastRef = -1;
  for (;;) {
    auto t0 = Clock::now();
    brow.PageDown();
    brow.Grid()->viewport()->repaint();
    s.Add(Clock::now() - t0);
    const int32_t ref = brow.CurrentRowRef();
    if (ref == lastRef) break;
    lastRef = ref;
  }
  char what[80];
  std::snprintf(what, sizeof what, "panel, page of %d rows, with repaint",
                brow.GridCtrl()->PageSize());
  s.Print(what);
  ok = ok && s.worst < 16.0 && brow.Engine()->Row(brow.Engine()->LastValidRow()).Ref == n;
  std::printf("%s\n", ok ? "every page step under 16 ms" : "SLOWER THAN 16 ms OR INCOMPLETE");
  return ok ? 0 : 1;
}
