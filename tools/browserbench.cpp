// Measures paging through a 10,000-record table page by page, from the first
// page to the last: on the paging engine alone (pages of 30 and of 250 rows)
// and through the browser panel (page key and grid repaint), once on a table
// held in memory and once on a stored table file. Figures (mean and worst
// page step) go to standard output in the benchmark line format; the
// references in the same run: raw SQLite reading the same pages of the
// stored table, one statement per page, and for the table in memory the
// same rows copied out of a sorted vector.
#include <QApplication>
#include <QTemporaryDir>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "database/dbbase.h"
#include "platform/codec.h"
#include "ui/kbrowser.h"
#include "ui/kbrowser_memindex.h"
#include "ui/kxbrow.h"
#include "ui/kxbrow_strgrid.h"
#include "ui/kxbrow_table.h"

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
  double Mean() const { return steps ? total / steps : 0.0; }
  // The mean and the worst step beside those of the reference.
  void Print(const std::string& what, const Stats& reference) const {
    bench::Figure(what + ", mean step", Mean(), reference.Mean());
    bench::Figure(what + ", worst step", worst, reference.worst);
  }
};

// The reference of a table in memory: the rows of each page copied out of
// the sorted records.
Stats PlainPages(const std::vector<std::string>& sorted, int page) {
  Stats s;
  std::vector<std::string> rows;
  for (size_t from = 0; from < sorted.size(); from += static_cast<size_t>(page)) {
    const auto t0 = Clock::now();
    rows.assign(sorted.begin() + static_cast<std::ptrdiff_t>(from),
                sorted.begin() + static_cast<std::ptrdiff_t>(std::min(sorted.size(), from + static_cast<size_t>(page))));
    s.Add(Clock::now() - t0);
  }
  return s;
}

// The reference of a stored table: raw SQLite reading page after page along
// key 1, each page one statement from the last row of the one before.
Stats RawPages(const std::string& file, int page) {
  Stats s;
  bench::RawTable raw(file);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(raw.Db(), "SELECT k1, ref, data FROM records WHERE (k1, ref) > (?1, ?2) ORDER BY k1, ref LIMIT ?3",
                     -1, &st, nullptr);
  std::string key;
  int32_t ref = 0;
  std::vector<std::string> rows;
  for (;;) {
    const auto t0 = Clock::now();
    sqlite3_bind_blob(st, 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int(st, 2, ref);
    sqlite3_bind_int(st, 3, page);
    rows.clear();
    while (sqlite3_step(st) == SQLITE_ROW) {
      key.assign(static_cast<const char*>(sqlite3_column_blob(st, 0)), static_cast<size_t>(sqlite3_column_bytes(st, 0)));
      ref = sqlite3_column_int(st, 1);
      rows.emplace_back(static_cast<const char*>(sqlite3_column_blob(st, 2)), static_cast<size_t>(sqlite3_column_bytes(st, 2)));
    }
    sqlite3_reset(st);
    s.Add(Clock::now() - t0);
    if (rows.empty()) break;
  }
  sqlite3_finalize(st);
  return s;
}

std::string CallOf(const std::string& r) { return r.substr(0, r.find(';')); }

struct Builder : TKBrowserOwner {
  explicit Builder(TBrowMemIndex& ix) : ix(ix) {}
  TBrowMemIndex& ix;
  void BuildRow(RowRec& r) override { r.Row = ix.Record(); }
};

}  // namespace

// A stored table of 96-byte QSO-like records, key 1 the call at offset 0.
class BenchTable : public TdbBase {
 public:
  static constexpr int kLen = 96;
  explicit BenchTable(const std::string& file) {
    Create(0);
    ToKeys keys;
    keys.Add(8, 1, "Call");
    ToDatBase dat;
    ok = dat.OpenDataFile(0, treiber, keys,
                          [](const uint8_t* r, int, std::string& key) {
                            key.assign(reinterpret_cast<const char*>(r), 7);
                          },
                          file, "BENCH", kLen, kLen) == 0;
  }
  ~BenchTable() override { treiber.Release(); }
  TdbTreiber* GetTreiber() override { return treiber.IsOpen() ? &treiber : nullptr; }
  std::string Text() { return std::string(reinterpret_cast<const char*>(RecordBuffer()), 60); }
  TdbTreiber treiber;
  bool ok = false;
};

struct TableBuilder : TKBrowserOwner {
  explicit TableBuilder(BenchTable& t) : t(t) {}
  BenchTable& t;
  void BuildRow(RowRec& r) override { r.Row = t.Text(); }
};

std::string RecordText(int i) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "DL%05d;Name %d;JO%02d;599;%04d;Bemerkung zum QSO", i, i % 977,
                i % 90, i);
  return buf;
}

// Pages from the first page to the last; true when the last page ends on
// the last record.
bool EnginePass(TBrowDriver* drv, TKBrowserOwner& b, int page, int32_t lastRef, const char* what,
                const Stats& reference) {
  TKBrowser e(drv, page, 1, TKeyStr{}, TKeyStr{}, false);
  // Pauses of a lock hand-over (only while another station waits) would be
  // the other station's time: counted, not slept.
  int yields = 0;
  e.SetSleeper([&](int) { ++yields; });
  Stats s;
  auto t0 = Clock::now();
  e.First(&b);
  s.Add(Clock::now() - t0);
  int32_t last = 0;
  for (;;) {
    t0 = Clock::now();
    e.ScrollDown(&b, page, 0, 1, true);
    s.Add(Clock::now() - t0);
    if (e.MovedRows() == 0) break;
    last = e.Row(e.LastValidRow()).Ref;
  }
  s.Print(std::string("paging ") + what + ", engine, page of " + std::to_string(page) + " rows", reference);
  if (yields > 0) std::fprintf(stderr, "  lock hand-overs: %d\n", yields);
  return last == lastRef;
}

bool PanelPass(TkxBrow& brow, int32_t lastRef, const char* what, const Stats& reference) {
  Stats s;
  int32_t prev = -1;
  for (;;) {
    auto t0 = Clock::now();
    brow.PageDown();
    brow.Grid()->viewport()->repaint();
    s.Add(Clock::now() - t0);
    const int32_t ref = brow.CurrentRowRef();
    if (ref == prev) break;
    prev = ref;
  }
  s.Print(std::string("paging ") + what + ", panel with repaint, page of " +
              std::to_string(brow.GridCtrl()->PageSize()) + " rows",
          reference);
  return brow.Engine()->Row(brow.Engine()->LastValidRow()).Ref == lastRef;
}

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const int n = 10000;
  bool ok = true;
  const auto header = [](TkxBrow& brow) {
    brow.SetHeaderFooter("Rufzeichen;Name;Locator;RST;Nr;Bemerkung", "");
  };

  TBrowMemIndex ix({CallOf});
  std::vector<std::string> sorted;
  for (int i = 1; i <= n; ++i) {
    ix.Add(RecordText(i));
    sorted.push_back(RecordText(i));
  }
  std::sort(sorted.begin(), sorted.end());
  {
    Builder b(ix);
    ok = EnginePass(&ix, b, 30, n, "memory", PlainPages(sorted, 30)) && ok;
    ok = EnginePass(&ix, b, 250, n, "memory", PlainPages(sorted, 250)) && ok;
    TkxBrow brow;
    brow.resize(900, 700);
    brow.OnBuildRow = [&](RowRec& r) { r.Row = ix.Record(); };
    brow.OnSetHeaderFooter = [&] { header(brow); };
    brow.show();
    QCoreApplication::processEvents();
    brow.Open(0, &ix, TKeyStr{}, TKeyStr{}, 1);
    QCoreApplication::processEvents();
    ok = PanelPass(brow, n, "memory", PlainPages(sorted, brow.GridCtrl()->PageSize())) && ok;
  }

  QTemporaryDir dir;
  const std::string file = QStringToAnsi(dir.path()) + "/BENCH";
  BenchTable table(file);
  if (!table.ok) {
    std::fprintf(stderr, "stored table cannot be opened\n");
    return 1;
  }
  table.BeginTransaction();
  int32_t lastRef = 0;
  for (int i = 1; i <= n; ++i) {
    table.ClearRecordBuffer();
    const std::string text = RecordText(i);
    std::memcpy(table.RecordBuffer(), text.data(), std::min<size_t>(text.size(), BenchTable::kLen));
    table.AddRecord();
    lastRef = table.CurrentRef();
  }
  table.CommitTransaction();
  {
    TBrowTableDriver drv(&table);
    TableBuilder b(table);
    const std::string path = file + ".DAT";
    ok = EnginePass(&drv, b, 30, lastRef, "stored", RawPages(path, 30)) && ok;
    ok = EnginePass(&drv, b, 250, lastRef, "stored", RawPages(path, 250)) && ok;
    TkxBrow brow;
    brow.resize(900, 700);
    brow.OnBuildRow = [&](RowRec& r) { r.Row = table.Text(); };
    brow.OnSetHeaderFooter = [&] { header(brow); };
    brow.show();
    QCoreApplication::processEvents();
    brow.Open(0, static_cast<TdbBase*>(&table), TKeyStr{}, TKeyStr{}, 1);
    QCoreApplication::processEvents();
    ok = PanelPass(brow, lastRef, "stored", RawPages(path, brow.GridCtrl()->PageSize())) && ok;
  }
  if (!ok) std::fprintf(stderr, "paging did not reach the last record\n");
  return ok ? 0 : 1;
}
