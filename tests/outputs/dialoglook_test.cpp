// The dialogs around the log window and the outputs, and the data lists
// with their browser bars, at every font size the
// set-up offers (9 to 12): each dialog grows with its font, and no control
// overlaps another, is cut by its text or reaches out of the dialog. The
// dialogs are built as their commands build them, on a BRZ party log of 200
// QSOs, and shown offscreen.
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QListWidget>
#include <QHeaderView>
#include <QTableView>
#include <QFontMetrics>
#include <QTextStream>
#include <memory>
#include <sstream>
#include <tuple>

#include "contest/eingcontstd.h"
#include "database/setups.h"
#include "logentry/adif/adifimport.h"
#include "logentry/brzlog_fixture.h"
#include "logentry/dialogs/ContestAdifimportForm.h"
#include "logentry/dialogs/ContestEingabeStd2Form.h"
#include "logentry/dialogs/DatenListeForm.h"
#include "logentry/dialogs/DatenPrefixBrowCtrl.h"
#include "logentry/dialogs/DatenPrefixFkt.h"
#include "logentry/dialogs/DatenPrefixListeCtrl.h"
#include "logentry/dialogs/partyausw.h"
#include "logentry/dialogs/stdgetband.h"
#include "logentry/dialogs/stdkorr.h"
#include "logentry/dialogs/suchenQE.h"
#include "logentry/dialogs/wagausw.h"
#include "logentry/window_driver.h"
#include "outputs/ToolsMemoCtrl.h"
#include "outputs/ToolsMemoForm.h"
#include "outputs/ToolsZeileEingCtrl.h"
#include "outputs/ToolsZeileEingForm.h"
#include "outputs/ZeitraumEUTagCtrl.h"
#include "outputs/wagdat.h"
#include "outputs/zeitraumeutagForm.h"
#include "platform/paths.h"
#include "support/FormLayoutCheck.h"
#include "support/ScriptedMessages.h"
#include "ui/Bildressourcen.h"
#include "ui/kxbrow.h"

namespace {

enum class TDialog { Setup, OneLine, Notes, Period, FileViewer, BandChooser, Search, AdifImport,
                     QsoList, QsoChange, HourlyChart, MembershipChart };

const TDialog kDialogs[] = {TDialog::Setup,       TDialog::OneLine,    TDialog::Notes,
                            TDialog::Period,      TDialog::FileViewer, TDialog::BandChooser,
                            TDialog::Search,      TDialog::AdifImport, TDialog::QsoList,
                            TDialog::QsoChange,   TDialog::HourlyChart, TDialog::MembershipChart};

const char* NameOf(TDialog d) {
  switch (d) {
    case TDialog::Setup: return "Setup";
    case TDialog::OneLine: return "OneLine";
    case TDialog::Notes: return "Notes";
    case TDialog::Period: return "Period";
    case TDialog::FileViewer: return "FileViewer";
    case TDialog::BandChooser: return "BandChooser";
    case TDialog::Search: return "Search";
    case TDialog::AdifImport: return "AdifImport";
    case TDialog::QsoList: return "QsoList";
    case TDialog::QsoChange: return "QsoChange";
    case TDialog::HourlyChart: return "HourlyChart";
    case TDialog::MembershipChart: return "MembershipChart";
  }
  return "?";
}

using TLookCase = std::tuple<TDialog, int>;

// The BRZ log, the look's pictures and a font size of the test's; the
// set-up's own colours and size come back afterwards.
class LookFixture : public BrzLogTest {
 protected:
  void SetUp() override {
    BrzLogTest::SetUp();
    StoreBrzLog();
    ToSetups.GetColors(savedColors_);
    // The buttons' pictures take room beside their captions, as in the program.
    savedImages_ = FormBildressourcen;
    static TFormBildressourcen images;
    FormBildressourcen = &images;
  }
  void TearDown() override {
    FormBildressourcen = savedImages_;
    ToSetups.SetColors(savedColors_);
    BrzLogTest::TearDown();
  }

  void SetFontSize(int size) {
    ToSetupColors c = savedColors_;
    rec::SetInt32(c.data(), colorsrec::kFontSize, size);
    ToSetups.SetColors(c);
  }

 private:
  ToSetupColors savedColors_{};
  TFormBildressourcen* savedImages_ = nullptr;
};

std::string FaultList(const std::vector<std::string>& faults) {
  std::ostringstream list;
  for (const std::string& f : faults) list << "\n  " << f;
  return list.str();
}

class DialogLook : public LookFixture, public ::testing::WithParamInterface<TLookCase> {
 protected:

  // The dialog as its command builds and fills it; helpers it needs live in
  // the fixture until the test ends.
  std::unique_ptr<QWidget> Make(TDialog d) {
    switch (d) {
      case TDialog::Setup: {
        setupDesc_ = std::make_unique<TContestRec>();
        ContestFkt.DefineNewContest(*setupDesc_, '4');
        return std::make_unique<TEingContestStd>(false, false, '4', *listTable_, *extraTable_, *setupDesc_);
      }
      case TDialog::OneLine: {
        lineCtrl_ = std::make_unique<TToolsZeileEingCtrl>(nullptr, "EMail", "EMail-Adresse des Empfängers:",
                                                          dir_.File("adressen.txt"), "dl1abc@example.org");
        auto form = std::make_unique<TToolsZeileEingForm>(nullptr, lineCtrl_.get());
        form->ShowData(lineCtrl_->TransferRecord());
        return form;
      }
      case TDialog::Notes: {
        notesCtrl_ = std::make_unique<TToolsMemoCtrl>(nullptr, "Notizen", &noteLines_, nullptr, "", true, true,
                                                      true, "", "");
        auto form = std::make_unique<TToolsMemoForm>(nullptr, notesCtrl_.get());
        form->ShowData(notesCtrl_->TransferRecord());
        return form;
      }
      case TDialog::Period: {
        periodCtrl_ = std::make_unique<TzeitraumeutagCtrl>(nullptr, nummer_);
        return std::make_unique<TzeitraumeutagForm>(nullptr, periodCtrl_.get());
      }
      case TDialog::FileViewer: {
        const std::string file = dir_.File("export.txt");
        QFile f(FileNameToQString(file));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("START-OF-LOG: 3.0\r\nCALLSIGN: DL9OWN\r\nEND-OF-LOG:\r\n");
        f.close();
        return std::make_unique<Twagdatei>(nullptr, file);
      }
      case TDialog::BandChooser: {
        auto form = std::make_unique<Tstdband>(nullptr);
        for (const TBandChoice& b : ContestBandChoices(*contest_)) form->listband->addItem(AnsiToQString(b.Name));
        return form;
      }
      case TDialog::Search:
        browser_ = std::make_unique<TkxBrow>();
        return std::make_unique<TSucheQE_>(browser_.get(), *qsoTable_);
      case TDialog::AdifImport:
        return std::make_unique<TContestAdifimportForm>(nullptr, OfferedLogFields(*contest_), nullptr);
      case TDialog::QsoList:
        return std::make_unique<TKorrekturstd>(nullptr, kKorrekturQsoList, 0, *contest_, link_);
      case TDialog::QsoChange: {
        auto form = std::make_unique<TContestEingabeStd2Form>(nullptr);
        qsoTable_->Last(qrec::kKeyWagNummer);
        TContestQsoRecord q;
        qsoTable_->GetQsoRecord(q);
        TContestEingabeStd2CtrlRec t = FillQsoEditRecord(q, *contest_, '4', {true, true, true});
        // Every field the dialog can show: a listener's second call and the
        // DXCC with its list button.
        t.Call2Visible = t.Call2LabelVisible = 1;
        t.MultiCaption = "DXCC";
        form->ShowRecord(t);
        return form;
      }
      case TDialog::HourlyChart: {
        TContestRecord list{};
        listTable_->GetContestRecord(list);
        rec::SetInt32(list.data(), crec::kDatumVon, Day() - 1);  // the log's QSOs fall in the 24 hours
        return std::make_unique<Twagauswertungform>(list, false);
      }
      case TDialog::MembershipChart:
        return std::make_unique<Tpartyauswertungform>(nummer_, false);
    }
    return nullptr;
  }

  TempProgramDir dir_;
  ScriptedMessages messages_;

 private:
  std::unique_ptr<TContestRec> setupDesc_;
  std::unique_ptr<TToolsZeileEingCtrl> lineCtrl_;
  std::unique_ptr<TToolsMemoCtrl> notesCtrl_;
  std::vector<std::string> noteLines_{"07.12.2026 09:39 DL9OWN > Band offen nach JA"};
  std::unique_ptr<TzeitraumeutagCtrl> periodCtrl_;
  std::unique_ptr<TkxBrow> browser_;
};

TEST_P(DialogLook, GrowsWithTheFontAndNoControlOverlapsOrIsCut) {
  const auto [which, fontSize] = GetParam();
  SetFontSize(9);
  const QSize atNine = Make(which)->size();
  SetFontSize(fontSize);
  std::unique_ptr<QWidget> dialog = Make(which);
  ASSERT_NE(dialog, nullptr);
  // Larger letters, a larger dialog, unless it already takes the screen.
  const QSize screen = QGuiApplication::primaryScreen()->virtualGeometry().size() - QSize(50, 50);
  if (fontSize > 9) {
    EXPECT_TRUE(dialog->width() > atNine.width() || dialog->width() >= screen.width())
        << NameOf(which) << " " << dialog->width();
    EXPECT_TRUE(dialog->height() > atNine.height() || dialog->height() >= screen.height())
        << NameOf(which) << " " << dialog->height();
  }
  dialog->show();
  QApplication::processEvents();

  EXPECT_EQ(dialog->font().pointSize(), fontSize);
  // The chart's bars stand on its axes on purpose.
  const std::vector<std::string> faults = formlayout::LayoutFaults(dialog.get(), {.Ignore = {"bar", "shape"}});
  EXPECT_TRUE(faults.empty()) << NameOf(which) << " at font size " << fontSize << ":" << FaultList(faults);

  // A window the user can size keeps its controls apart down to the
  // smallest size it allows.
  const QSize smallest = dialog->minimumSize();
  if (dialog->maximumSize() != smallest && !smallest.isEmpty()) {
    dialog->resize(smallest);
    QApplication::processEvents();
    const std::vector<std::string> small = formlayout::LayoutFaults(dialog.get(), {.Ignore = {"bar", "shape"}});
    EXPECT_TRUE(small.empty()) << NameOf(which) << " at font size " << fontSize << ", smallest:" << FaultList(small);
  }
  dialog->close();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogLook, ::testing::Combine(::testing::ValuesIn(kDialogs),
                                                                 ::testing::Values(9, 10, 11, 12)),
                         [](const ::testing::TestParamInfo<TLookCase>& info) {
                           return std::string(NameOf(std::get<0>(info.param))) + "_" +
                                  std::to_string(std::get<1>(info.param));
                         });

// The data lists with their browser bar at every font size: the DXCC
// picker ("..." of "QSO ändern": sort, quick search and three views) and
// the prefix list that offers "Details" alone, each opened as its command
// opens it. The bar is dressed before the list is opened, and again with
// the sorts and views the opening brings.
enum class TList { DxccPicker, PrefixList };
using TListCase = std::tuple<TList, int>;

class DataListLook : public LookFixture, public ::testing::WithParamInterface<TListCase> {
 protected:
  void SetUp() override {
    LookFixture::SetUp();
    OpenCtyPrefixTables();
  }
  void TearDown() override {
    ToDatPrefix.CloseTables(kAllPrefixTables);
    LookFixture::TearDown();
  }
  ScriptedMessages messages_;
};

TEST_P(DataListLook, NoControlOfTheListOrItsBarOverlapsOrIsCut) {
  const auto [which, fontSize] = GetParam();
  SetFontSize(fontSize);
  const std::string name = which == TList::DxccPicker ? "DxccPicker" : "PrefixList";
  bool seen = false;
  WhenUp([&](QWidget* w) {
    TDatenListeForm* form = ListForm(w);
    ASSERT_NE(form, nullptr);
    seen = true;
    EXPECT_EQ(form->font().pointSize(), fontSize);
    // The caption panel's title stands on its gradient on purpose.
    const std::vector<std::string> faults = formlayout::LayoutFaults(form, {.Ignore = {"lLookTitle"}});
    EXPECT_TRUE(faults.empty()) << name << " at font size " << fontSize << ":" << FaultList(faults);
    // Each column caption shows whole in its column, in the font the list
    // shows it in: the caption's text starts three pixels into the cell
    // and stops two before its end.
    QTableView* grid = form->Brow->Grid();
    const QFontMetrics fm(grid->horizontalHeader()->font());
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
      const QString caption = grid->model()->headerData(c, Qt::Horizontal).toString().trimmed();
      EXPECT_LE(fm.horizontalAdvance(caption) + 5, grid->columnWidth(c))
          << name << " at font size " << fontSize << ": \"" << caption.toStdString() << "\"";
    }
    Key(w, Qt::Key_Escape);
  });
  if (which == TList::DxccPicker) {
    std::string dxcc, prefix;
    TDatenPrefixFkt::ChooseDxcc(dxcc, "", prefix);
  } else {
    TDatenPrefixListeCtrl list(nullptr, false, "", kPrefixKeyDxcc, 1);
    list.Execute();
  }
  EXPECT_TRUE(seen) << name;
}

INSTANTIATE_TEST_SUITE_P(Lists, DataListLook,
                         ::testing::Combine(::testing::Values(TList::DxccPicker, TList::PrefixList),
                                            ::testing::Values(9, 10, 11, 12)),
                         [](const ::testing::TestParamInfo<TListCase>& info) {
                           return std::string(std::get<0>(info.param) == TList::DxccPicker ? "DxccPicker"
                                                                                            : "PrefixList") +
                                  "_" + std::to_string(std::get<1>(info.param));
                         });

}  // namespace
