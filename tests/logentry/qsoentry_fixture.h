#pragma once
// The log window as an operator uses it, offscreen: the prefix tables built
// from the real country file, a log created through the set-up dialog by
// keystrokes and clicks, the log window opened on it, QSOs typed key by key
// into whatever field has the focus, messages and the DXCC choice answered
// by script, the clock set by the test. Afterwards the stored QSOs are read
// back at their offsets and the score is compared with a full recount.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "contest/ContestEntries.h"
#include "contest/ContestFkt.h"
#include "contest/eingcontstd.h"
#include "database/dbContest.h"
#include "database/dbProject.h"
#include "database/homecall.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/window/contlogstd.h"
#include "logentry/windowscore.h"
#include "logentry/rules/dupecheck.h"
#include "logentry/rules/entryroutines.h"
#include "logentry/rules/qsopoints.h"
#include "logentry/rules/recount.h"
#include "logentry/rules/score.h"
#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"
#include "prefix/dbPrefix.h"
#include "prefix/dbPrefixDat.h"
#include "support/CtyOracle.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/ModalDriver.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"
#include "ui/kxMessageForm.h"
#include "ui/kxmessage.h"
#include "ui/prefausw.h"

namespace qsoentry {

using Kind = ScriptedMessages::Kind;

inline QString Q(const std::string& s) { return AnsiToQString(s); }

// The log as a second handle reads it, in number order, and its size.
inline std::vector<TContestQsoRecord> StoredLog(int32_t nummer) {
  std::vector<TContestQsoRecord> out;
  TdbContest log(kContestLog, false, nummer);
  for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next()) {
    TContestQsoRecord q;
    log.GetQsoRecord(q);
    out.push_back(q);
  }
  return out;
}
inline int StoredCount(int32_t nummer) {
  TdbContest log(kContestLog, false, nummer);
  return static_cast<int>(log.UsedRecords());
}
inline std::string A(const QString& s) { return QStringToAnsi(s); }

template <typename W = QWidget>
W* Child(QWidget& w, const char* name) {
  W* c = w.findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

inline std::string LabelText(QWidget& w, const char* name) {
  auto* l = Child<QLabel>(w, name);
  return l != nullptr ? A(l->text()) : std::string();
}

// Runs body once a modal window of type W is up and holds the keyboard,
// however long a loaded machine takes to get there.
template <typename W>
void WhenShown(std::function<void(W&)> body) {
  WhenModalOf<W>(std::move(body));
}

// A window that comes up is made the active one, as the window manager
// does; the keys that follow go to it once it holds the keyboard.
inline void Activate(QWidget& w) { testwindows::GiveKeyboard(w); }

// The keyboard as the operator uses it: into the focused widget of the
// window that holds the keyboard once it holds it. When a dialog has
// closed, the window manager gives the activation back to the window that
// is modal now.
inline QWidget* Focused() { return testwindows::KeyTarget(); }
inline std::string FocusName() {
  QWidget* f = Focused();
  return f ? A(f->objectName()) : std::string("(none)");
}
inline void Type(const std::string& text) {
  QWidget* target = Focused();
  ASSERT_NE(target, nullptr);
  QTest::keyClicks(target, Q(text));
}
inline void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = Focused();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, key, modifiers);
}
// Keys the operator types right after the last: they wait in the event
// queue and go, once the program turns to them, where the keyboard is then.
inline void TypeAhead(const std::string& text) {
  QMetaObject::invokeMethod(qApp, [text] { Type(text); }, Qt::QueuedConnection);
}

// A QSO half typed as the operator types it: the call, then Tab on to the
// exchange fields, each given its part; the keyboard stays in the last
// field given. Nothing given: nothing typed.
inline void TypeHalfQso(const std::vector<std::string>& parts) {
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) Press(Qt::Key_Tab);
    Type(parts[i]);
  }
}

// Lets the window system's and the posted events run until none is left;
// the turns it took.
inline int ProcessEventsUntilIdle() { return testwindows::Drain(); }

// Where the keys typed next go once the windows over the log window are
// gone: the name of the focused control while the log window holds the
// activation. Offscreen no window manager hands the activation back: the
// log window has to take it itself.
inline std::string KeyboardAfterWindows(const QWidget& window) {
  ProcessEventsUntilIdle();
  if (QApplication::activeWindow() != &window) return "(the log window is not active)";
  QWidget* f = QApplication::focusWidget();
  return f ? A(f->objectName()) : std::string("(none)");
}

// Questions and warnings come up as the program's own message windows,
// each closed by a click on the button of its scripted answer once it is
// up: a window of its own over the one that asked, as on the desktop.
class MessageWindows : public ScriptedMessages {
 public:
  // How a question or warning is answered once up, instead of the click: the keys.
  std::function<void()> AnswerKeys;
  bool JaNeinFrage(const std::string& caption, const std::string& header, const std::string& text,
                   bool defaultYes) override {
    const bool yes = ScriptedMessages::JaNeinFrage(caption, header, text, defaultYes);
    if (AnswerKeys)
      WhenShown<TkxMessageForm>([keys = AnswerKeys](TkxMessageForm&) { keys(); });
    else
      CloseWhenUp(yes);
    return shown_.JaNeinFrage(caption, header, text, defaultYes);
  }
  void Achtung(const std::string& header, const std::string& text) override {
    ScriptedMessages::Achtung(header, text);
    if (AnswerKeys)
      WhenShown<TkxMessageForm>([keys = AnswerKeys](TkxMessageForm&) { keys(); });
    else
      CloseWhenUp(true);
    shown_.Achtung(header, text);
  }

 private:
  static void CloseWhenUp(bool yes) {
    WhenShown<TkxMessageForm>(
        [yes](TkxMessageForm& box) { QTest::mouseClick(yes ? box.kxBitBtn1 : box.kxBitBtn2, Qt::LeftButton); });
  }
  TkxMessageDialogs shown_;
};

// Types over what the focused field holds, unless nothing is given; the
// text the field holds then.
inline std::string TypeOver(const std::string& value) {
  auto* edit = qobject_cast<QLineEdit*>(Focused());
  EXPECT_NE(edit, nullptr);
  if (edit == nullptr) return {};
  if (!value.empty()) {
    edit->selectAll();
    Type(value);
  }
  return A(edit->text());
}

inline std::string Str(const TContestQsoRecord& q, size_t off, size_t cap) { return rec::GetStr(q.data(), off, cap); }

class QsoEntryTest : public ::testing::Test {
 protected:
  static constexpr const char* kCtyFile = "/usr/share/hamradio-files/cty.csv";
  static constexpr const char* kMasterFile = "/usr/share/hamradio-files/MASTER.SCP";
  static constexpr const char* kDokFile = "/usr/share/hamradio-files/WAG_call_history.txt";

  static void SetUpTestSuite() {
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextFile(kCtyFile, lines));
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    std::vector<std::string> errors;
    records_ = new TCtyRecords(BuildPrefixRecords(ParseCtyCsv(text, errors)));
    oracle_ = new CtyOracle(lines);
    WithSeveralEntities(*records_);
    ASSERT_TRUE(ReadTextFile(kMasterFile, lines));
    master_ = new std::vector<std::string>;
    for (const std::string& l : lines) {
      const std::string call = ToStrings.Trim(l);
      if (!call.empty() && call[0] != '#') master_->push_back(call);
    }
    ASSERT_TRUE(ReadTextFile(kDokFile, lines));
    doks_ = new std::vector<std::pair<std::string, std::string>>;
    for (const std::string& l : lines) {
      const size_t comma = l.find(',');
      if (l.empty() || l[0] == '#' || comma == std::string::npos) continue;
      doks_->emplace_back(ToStrings.Trim(l.substr(0, comma)), ToStrings.Trim(l.substr(comma + 1)));
    }
  }
  static void TearDownTestSuite() {
    delete records_;
    delete oracle_;
    delete master_;
    delete doks_;
    records_ = nullptr;
    oracle_ = nullptr;
    master_ = nullptr;
    doks_ = nullptr;
  }

  // "TO" is handed out to several French entities overseas: the prefix
  // gets one candidate per entity instead of its single record.
  static void WithSeveralEntities(TCtyRecords& r) {
    std::vector<TPrefixRecord> candidates;
    int menu = 0;
    for (const char* own : {"FG", "FM", "FY"}) {
      for (const TPrefixRecord& p : r.Main) {
        if (ToStrings.Trim(rec::GetStr(p.data(), prefrec::kPrefix, prefrec::kPrefixCap)) != own) continue;
        TPrefixRecord c = p;
        rec::SetStr(c.data(), prefrec::kPrefix, prefrec::kPrefixCap, "TO");
        rec::SetStr(c.data(), prefrec::kMenue, prefrec::kMenueCap, std::to_string(++menu));
        rec::SetChar(c.data(), prefrec::kSel, ' ');
        candidates.push_back(c);
        break;
      }
    }
    ASSERT_EQ(candidates.size(), 3u);
    std::erase_if(r.Main, [](const TPrefixRecord& p) {
      return ToStrings.Trim(rec::GetStr(p.data(), prefrec::kPrefix, prefrec::kPrefixCap)) == "TO";
    });
    r.Main.insert(r.Main.end(), candidates.begin(), candidates.end());
  }

  void SetUp() override {
    ASSERT_NE(records_, nullptr);
    std::string error;
    ASSERT_TRUE(WritePrefixTables(*records_, error)) << error;
    ASSERT_TRUE(ToDatPrefix.OpenTables(kAllPrefixTables));
    ToSetups.Reset();
    ToSetupStation st{};
    rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO31LK");
    ToSetups.SetStation(st);
    savedOffset_ = UtcHourOffset;
    UtcHourOffset = 0;
    RegisterContestSetupDialog();
    InstallDxccChoiceDialog();
    ContestEntries().OpenContestLogWindow = [](QWidget* owner, int32_t nummer, const TContestRec& d,
                                               TdbContest& list, TdbContest& extra) {
      OpenContestLogWindow(owner, nummer, d, list, extra);
    };
    SetClockOverride([this] { return now; });
  }
  void TearDown() override {
    SetClockOverride({});
    SetDxccChooser(nullptr);
    // The DXCC choice keeps its place in the project table, which the main
    // window closes when it ends.
    ToProjecte.Close();
    ToProjecte.SelectProject(-1);
    ContestEntries() = TContestEntries();
    UtcHourOffset = savedOffset_;
    ToDatPrefix.CloseTables(kAllPrefixTables);
  }

  // Creates a log of the letter through the set-up dialog: the usual
  // entries typed, UTC and the DXCC question clicked, then what the test
  // adds; "Beenden" stores it.
  void CreateLog(char letter, const std::function<void(TEingContestStd&)>& more = {}) {
    WhenShown<TEingContestStd>([this, more](TEingContestStd& dlg) {
      auto type = [&](const char* name, const char* text) {
        if (auto* e = Child<TkxEdit>(dlg, name)) {
          e->clear();
          QTest::keyClicks(e, QString::fromLatin1(text));
        }
      };
      type("eName", "Test");
      type("ecname", "Erika Muster");
      type("eStrasse", "Weg 1");
      type("ePLZ", "12345");
      type("eOrt", "Musterstadt");
      type("eCall", "dl1abc");
      type("eLoc", "jo31lk");
      type("eEMail", "erika@example.org");
      for (const char* name : {"eteilnahmeart_0", "rZeitUTC", "cPrefixmenue"}) Click(dlg, name);
      if (more) more(dlg);
      QTest::mouseClick(Child<QAbstractButton>(dlg, "btnOK"), Qt::LeftButton);
      if (dlg.isVisible()) {
        for (const auto& m : msgs.History()) ADD_FAILURE() << "set-up refused: " << m.header << " " << m.text;
        dlg.done(2);
      }
    });
    desc_ = std::make_unique<TContestRec>();
    msgs.AllowAny(true);
    ContestFkt.ContestSetup(letter, false, false, list_, extra_, desc_.get());
    msgs.AllowAny(false);
    ASSERT_TRUE(list_.Last(crec::kKeyNummer));
    TContestRecord r;
    list_.GetContestRecord(r);
    nummer_ = rec::GetInt32(r.data(), crec::kNummer);
    letter_ = letter;
    ASSERT_EQ(rec::GetChar(r.data(), crec::kTyp), letter);
    ASSERT_TRUE(ContestFkt.EnsureExtraRecord(list_.CurrentRef(), list_, extra_));
    ContestFkt.DefineContest(*desc_, list_, letter, false);
  }
  static void Click(QWidget& w, const char* name) {
    auto* b = Child<QAbstractButton>(w, name);
    if (b == nullptr) return;
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
  }

  // Opens the log window and runs body in it; the window is closed after.
  void RunWindow(const std::function<void(TContestLogStd&)>& body) {
    bool ran = false;
    WhenShown<TContestLogStd>([&](TContestLogStd& w) {
      ran = true;
      Activate(w);
      body(w);
      w.close();
    });
    ContestFkt.OpenLog(nullptr, *desc_, list_, extra_);
    EXPECT_TRUE(ran);
  }

  // Sets the clock and lets the window's timer run once, as it does every second.
  void ClockAt(TContestLogStd& w, int32_t seconds) {
    now = QDateTime(QDate(2015, 12, 20), QTime(0, 0).addSecs(seconds));
    w.timerzeitTimer();
  }

  // Calls of MASTER.SCP for a log: every n-th one that the country file
  // knows, in the form a station gives it, each home call once.
  std::vector<std::string> MasterCalls(size_t count, size_t stride, const std::function<bool(const std::string&)>& take) {
    std::vector<std::string> out;
    std::set<std::string> homes;
    for (size_t i = 0; i < master_->size() && out.size() < count; i += stride) {
      const std::string& call = (*master_)[i];
      Place p;
      if (call.size() > 10 || call.find('/') != std::string::npos || CheckCallForm(call) != 0 ||
          !oracle_->Find(call, p) || !take(call) || !homes.insert(HomeCallOf(call)).second)
        continue;
      out.push_back(call);
    }
    return out;
  }

  TContestQsoRecord StoredAt(TdbContest& log) {
    TContestQsoRecord q;
    log.GetQsoRecord(q);
    return q;
  }

  // The score labels of the window against a full recount of what is stored.
  void ExpectScoreOfFullRecount(TContestLogStd& w) { windowscore::ExpectWindowShowsFullRecount(w); }

  TempProgramDir dir_;
  ScriptedMessages msgs;
  TdbContest list_{kContestList, false, 0};
  TdbContest extra_{kContestExtra, false, 0};
  std::unique_ptr<TContestRec> desc_;
  int32_t nummer_ = 0;
  char letter_ = 0;
  QDateTime now{QDate(2015, 12, 20), QTime(8, 0, 5)};
  int32_t savedOffset_ = 0;

  static inline TCtyRecords* records_ = nullptr;
  static inline CtyOracle* oracle_ = nullptr;
  static inline std::vector<std::string>* master_ = nullptr;
  static inline std::vector<std::pair<std::string, std::string>>* doks_ = nullptr;
};

}  // namespace qsoentry
