#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include "FormatLogFixture.h"
#include "outputs/edi.h"
#include "outputs/formuhfteilnehmer.h"
#include "ui/ModalDriver.h"

namespace {

// The participant form as a test fills it: remembers what it was shown and
// what it was offered, then applies the test's edits.
class ScriptedParticipantForm : public TEdiParticipantForm {
 public:
  TEdiParticipant shown;
  std::string caption;
  std::vector<std::string> sections;
  std::function<void(TEdiParticipant&)> edit;
  void Run(TEdiParticipant& p, const std::string& c, const std::vector<std::string>& s) override {
    shown = p;
    caption = c;
    sections = s;
    if (edit) edit(p);
  }
};

class EdiFile : public FormatLogFixture {
 protected:
  void SetUp() override {
    FormatLogFixture::SetUp();
    previous_ = SetEdiParticipantForm(&form);
  }
  void TearDown() override {
    SetEdiParticipantForm(previous_);
    FormatLogFixture::TearDown();
  }
  std::vector<std::string> KeptFile() {
    std::vector<std::string> lines;
    EXPECT_TRUE(ReadTextFile(EdiKeptFileName(), lines));
    return lines;
  }
  ScriptedParticipantForm form;

 private:
  TEdiParticipantForm* previous_ = nullptr;
};

TEST_F(EdiFile, WholeLogWithFormTextsCountsAndBestDistance) {
  rec::SetInt32(List.data(), crec::kDatumVon, ToDates.DMYToDate(5, 3, 2016));
  rec::SetInt32(List.data(), crec::kDatumBis, ToDates.DMYToDate(6, 3, 2016));
  rec::SetStr(List.data(), crec::kTXEquipment, crec::kTXEquipmentCap, "IC-9700 100 W");
  rec::SetByte(List.data(), crec::kTeilnahmeart, 1);
  Desc->Classes[0].Text = "A 2m Einmann";
  Desc->DisplayTitle = "UKW-Contest 2016";
  SetTotals(3, 0, 250);
  SetStation(stationrec::kLocator, stationrec::kLocatorCap, "JO62QM");
  SetStation(stationrec::kTeilnehmerName, stationrec::kTeilnehmerNameCap, "Hans Müller");
  SetStation(stationrec::kStrasse, stationrec::kStrasseCap, "Hauptstr. 5");
  SetStation(stationrec::kOrt, stationrec::kOrtCap, "12345 Berlin");
  SetStation(stationrec::kDOK, stationrec::kDOKCap, "D01");
  SetStation(stationrec::kEMail, stationrec::kEMailCap, "hans@example.org");
  ASSERT_TRUE(WriteTextFile(EdiKeptFileName(),
                            {"VFDB", "Z11", "dl1abc@example.org", "100 W", "IC-9700", "Yagi"}));
  form.edit = [](TEdiParticipant& p) {
    p.mope1 = "DL1ABC;DL2XYZ";
    p.rpower = "50 W";
    p.rremarks = {"Erste Zeile", "Zweite Zeile"};
  };

  TestQso a;
  a.Call = "DK2XYZ";
  a.Time = "14:15";
  a.Band = 'k';
  a.Sent = "599001";
  a.Rcvd = "579017/JO40";
  a.Loc = "JO40AB";
  a.Qrb = 452;
  a.Points = 200;
  a.Dxcc = "DL";
  TestQso b;
  b.Call = "OK1ABC";
  b.Time = "15:00";
  b.Band = 'k';
  b.Mode = "SSB";
  b.Sent = "59 002";
  b.Rcvd = "59 123";
  b.Loc = "JO70";
  b.Qrb = 452;
  b.Points = 38;
  b.Dxcc = "ok";
  TestQso qsy;
  qsy.Time = "15:30";
  qsy.Marker = 'l';
  TestQso c;
  c.Call = "DL7XX";
  c.Time = "16:00";
  c.Band = 'k';
  c.Mode = "USB";
  c.Sent = "59 003";
  c.Rcvd = "59 4";
  c.Loc = "jo62";
  c.Qrb = 12;
  c.Points = 12;
  c.Dxcc = "DL";
  Store({a, b, qsy, c});

  const std::string expected = Lines({
      "[Ostrelon Version 2015-2.0]",
      "This data was exported using TAVRIN Ostrelon Version 2015-2.0",
      "Call:DL1ABC",
      "Logs generated on 06.03.2016 19:45:30",
      "[REG1TEST;1]",
      "TName=UKW-Contest 2016",
      "TDate=20160305;20160306",
      "PCall=DL1ABC",
      "PWWLo=JO62QM",
      "PExch=",
      "PAdr1=Hauptstr. 5",
      "PAdr2=12345 Berlin",
      "PSect=A",
      "Wertungsgruppe=A",
      "PBand=145MHz",
      "PClub=VFDB;Z11",
      "RName=Hans Müller",
      "RCall=DL1ABC",
      "RAdr1=Hauptstr. 5",
      "RAdr2=",
      "RPoCo=12345",
      "RCity=Berlin",
      "RCoun=",  // no country entered: none named
      "RPhon=",
      "RHBBS=dl1abc@example.org",
      "MOpe1=DL1ABC;DL2XYZ",
      "MOpe2=",
      "STXEq=IC-9700 100 W",
      "SPowe=50 W",
      "SRXEq=IC-9700",
      "SAnte=Yagi",
      "SAntH=0;0",
      // Counts and sums of the three QSO lines; the band change is no line.
      "CQSOs=3;1",
      "CQSOP=250",
      "CWWLs=3;0;1",
      "CWWLB=0",
      "CExcs=0;0;1",
      "CExcB=",
      "CDXCs=2;0;1",
      "CDXCB=0",
      "CToSc=250",
      "CODXC=DK2XYZ;JO40AB;452",
      "[Remarks]",
      "Erste Zeile",
      "Zweite Zeile",
      "[QSORecords;3]",
      "160305;1415;DK2XYZ;2;599;001;579;017;J;JO40AB;200;;;;",
      "160305;1500;OK1ABC;1;59;002;59;123;;JO70;38;;;;",
      "160305;1600;DL7XX;0;59;003;59;4;;jo62;12;;;;",
  });
  EXPECT_EQ(Export(OutputKind::Edi), expected);
  EXPECT_EQ(form.caption, "Ostrelon Version 2015-2.0");
  EXPECT_EQ(form.sections.size(), 28u);
  EXPECT_EQ(KeptFile(), (std::vector<std::string>{"VFDB", "Z11", "dl1abc@example.org", "50 W",
                                                   "IC-9700", "Yagi"}));
}

TEST_F(EdiFile, KeptTextsOfAnotherLineCountAreIgnoredAndRewritten) {
  SetStation(stationrec::kDOK, stationrec::kDOKCap, "D01");
  Store({});
  const TExportLog log = ReadExportLog(*Desc, *list_, extra_.get());
  for (const std::vector<std::string>& kept :
       {std::vector<std::string>{"VFDB", "Z11", "a@b", "10 W", "FT-817"},
        std::vector<std::string>{"VFDB", "Z11", "a@b", "10 W", "FT-817", "Yagi", "extra"}}) {
    ASSERT_TRUE(WriteTextFile(EdiKeptFileName(), kept));
    const std::vector<std::string> h = EdiHeaderForLog(log);
    EXPECT_EQ(form.shown.pclub1, "DARC");
    EXPECT_EQ(form.shown.pclub2, "D01");
    EXPECT_EQ(h[6], "TDate=0;0");
    EXPECT_EQ(h[41], "CODXC=");
    EXPECT_EQ(h.back(), "[QSORecords;0]");
    EXPECT_EQ(KeptFile(), (std::vector<std::string>{"DARC", "D01", "", "", "", ""}));
  }
}

TEST(EdiLists, SectionsEndInATabExceptTheThreeOfLetter8) {
  const std::vector<std::string> s = EdiSectionItems('4');
  ASSERT_EQ(s.size(), 28u);
  EXPECT_EQ(s[0], "01  144MHz Einmann\t");
  EXPECT_EQ(s[3], "04  432MHz Mehrmann\t");
  EXPECT_EQ(s[19], "20  76GHz Mehrmann\t");
  EXPECT_EQ(s[20], "21/1  122GHz Einmann\t");
  EXPECT_EQ(s[27], "26  >300GHz Mehrmann\t");
  EXPECT_EQ(EdiSectionItems('8'), (std::vector<std::string>{"A", "B", "C"}));
}

TEST(EdiLine, NumbersLoseTheirSlashAndUnknownModesGetCodeZero) {
  TestQso t;
  t.Call = " DK2XYZ ";
  t.Mode = "USB";
  t.Sent = "599123/";
  t.Rcvd = "5991234/JO";
  t.Loc = "JO40ABC";
  EXPECT_EQ(EdiQsoText(t.Record()), "160305;0815;DK2XYZ;0;599;123;599;1234;J;JO40AB;1;;;;");
  // A locator where a number would stand is no number.
  t.Sent = "59 JO62QM";
  t.Rcvd = "59 JO40AB";
  EXPECT_EQ(EdiQsoText(t.Record()), "160305;0815;DK2XYZ;0;59;;59;;;JO40AB;1;;;;");
  t.Sent = "599123/";
  t.Rcvd = "5991234/JO";
  for (const auto& [mode, code] : std::vector<std::pair<std::string, std::string>>{
           {"SSB", "1"}, {"CW", "2"}, {"AM", "5"}, {"FM", "6"}, {"RTTY", "7"}, {"PSK", "0"}}) {
    t.Mode = mode;
    EXPECT_EQ(EdiQsoText(t.Record()).substr(19, 2), code + ";") << mode;
  }
}

TEST(EdiForm, TextsSurviveTheFormAndAChosenSectionKeepsItsTab) {
  TEdiParticipant p;
  p.pcall = "DL1ABC";
  p.rname = "Hans Müller";
  p.pband = "435MHz";
  p.psect = "1";
  p.rremarks = {"Zeile 1", "Zeile 2"};
  Tuhfteilnehmer form;
  form.Load(p, EdiSectionItems('4'));
  EXPECT_EQ(form.psect->currentText(), QStringLiteral("1"));
  form.psect->setCurrentIndex(2);
  TEdiParticipant back;
  form.Store(back);
  EXPECT_EQ(back.pcall, "DL1ABC");
  EXPECT_EQ(back.rname, "Hans Müller");
  EXPECT_EQ(back.pband, "435MHz");
  EXPECT_EQ(back.psect, "03  432MHz Einmann\t");
  EXPECT_EQ(back.pclub1, "DARC");
  EXPECT_EQ(back.rcoun, "");
  EXPECT_EQ(back.rremarks, p.rremarks);
}

TEST(EdiForm, ClosingTheDialogWithoutOkStillGivesTheTexts) {
  TEdiParticipant p;
  p.ploc = "JO62QM";
  WhenModal([](QWidget* w) {
    if (auto* loc = w->findChild<QLineEdit*>(QStringLiteral("ploc"))) loc->setText(QStringLiteral("JO62QN"));
    w->close();
  });
  TUhfParticipantDialog dialog;
  dialog.Run(p, "Ostrelon", EdiSectionItems('8'));
  EXPECT_EQ(p.ploc, "JO62QN");
}
}  // namespace
