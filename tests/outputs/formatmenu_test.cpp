#include <gtest/gtest.h>

#include "FormatLogFixture.h"
#include "contest/SetupOutputs.h"
#include "outputs/stdrout.h"

namespace {
std::string Blanks(int n) { return std::string(static_cast<size_t>(n), ' '); }

// The format files as the output menu writes them: output driver, frame and
// format writers together.
class FormatMenu : public FormatLogFixture {
 protected:
  void SetUp() override {
    FormatLogFixture::SetUp();
    AlleRout.SetEnglish(false);
  }
  std::string Run(uint8_t kind) {
    dialog_.answer = dir_.File("export.out");
    TStdRout driver;
    RunOutput(kind, '4', *Desc, *list_, *extra_, nullptr, driver);
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(dir_.File("export.out"), bytes));
    return bytes;
  }
  void ExpectSaveNotice(const char* name) {
    messages_.Expect(ScriptedMessages::Kind::Hinweis, std::string("wohin die ") + name);
  }
  void ExpectCreated() {
    messages_.Expect(ScriptedMessages::Kind::Hinweis, "export.out wurde erstellt.");
  }
};

TEST_F(FormatMenu, AdifAnswerNoExportsTheWholeExchangeAndSkipsBandChanges) {
  TestQso a;
  a.Call = "DK2XYZ";
  TestQso qsy;
  qsy.Time = "08:20";
  qsy.Marker = 'c';
  Store({a, qsy});
  ExpectSaveNotice("ADIF - Datei DL1ABC.ADI");
  messages_.Expect(ScriptedMessages::Kind::JaNeinFrage,
                   "Von der Kontrollnummer nur RS(T) exportieren?", false);
  ExpectCreated();
  const std::string bytes = Run(OutputKind::Adif);
  EXPECT_EQ(bytes.substr(bytes.find("<EOH>\r\n") + 7),
            "<QSO_DATE:8>20160305 <TIME_ON:6>081500 <CALL:6>DK2XYZ <RST_SENT:6>599001 "
            "<RST_RCVD:6>599002 <BAND:3>80m <MODE:2>CW <PTS:1>1 <DOK:0> <GRIDSQUARE:0> <EOR>\r\n");
  EXPECT_TRUE(messages_.AllShown());
}

TEST_F(FormatMenu, CabrilloAndStfEndWithTheirTrailers) {
  TestQso a;
  a.Call = "dk2xyz";
  Store({a});
  ExpectSaveNotice("Cabrillo - Datei DL1ABC.CAB");
  ExpectCreated();
  std::string bytes = Run(OutputKind::Cabrillo);
  EXPECT_NE(bytes.find("\r\nQSO: 3500 CW  2016-03-05 0815 DL1ABC 599 001 -" + Blanks(12) +
                       " DK2XYZ   599 002 -" + Blanks(12) + "\r\nEND-OF-LOG:\r\n"),
            std::string::npos)
      << bytes;

  ExpectSaveNotice("STF - Datei DL1ABC.STF");
  ExpectCreated();
  bytes = Run(OutputKind::Stf);
  EXPECT_NE(bytes.find("\r\nQSOLIST\r\n20160305 0815 80   CW     DK2XYZ   599 001" + Blanks(14) +
                       " 599 002" + Blanks(14) + "\r\nENDQSOLIST\r\n"),
            std::string::npos)
      << bytes;
  EXPECT_TRUE(messages_.AllShown());
}
}  // namespace
