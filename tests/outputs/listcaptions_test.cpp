// The caption line of the QSO lists over their QSO lines: logs of contests
// with different exchanges (serial numbers, DOKs, locators, names, member
// numbers, a listener log), kept as the log window keeps them, written as
// the output menu writes the E-Log list, band list and whole file, the
// printed list and band list and the CSV file. Under every caption starts
// the text its column shows of the QSO.
#include <algorithm>

#include "ContestLogBuilder.h"
#include "contest/SetupOutputs.h"
#include "outcore_fixture.h"
#include "outputs/stdrout.h"

namespace {

using namespace outcoretest;
using Lines = std::vector<std::string>;

// What a QSO shows under one caption: its text, or blanks for an empty
// column. The points are numbers aligned to the right: their caption ends
// where they end.
struct Under {
  std::string caption, text;
  bool right = false;
};

struct TypedQso {
  BuiltQso qso;
  std::vector<Under> columns;  // left to right, every caption of the line
};

struct TypedLog {
  char letter;
  uint8_t classPosition;
  std::vector<TypedQso> qsos;
};

BuiltQso Qso(const char* call, char band, const char* mode, const char* sent, const char* rcvd, int32_t day,
             const char* time) {
  BuiltQso b;
  b.Call = call;
  b.Band = band;
  b.Mode = mode;
  b.Sent = sent;
  b.Rcvd = rcvd;
  b.Datum = day;
  b.Zeit = ToDates.TimeStringToTime(time, "hh:mm");
  return b;
}

// The captions of a caption line with the column each starts at.
std::vector<std::pair<std::string, size_t>> Captions(const std::string& line) {
  std::vector<std::pair<std::string, size_t>> out;
  for (size_t at = line.find_first_not_of(' '); at != std::string::npos; at = line.find_first_not_of(' ', at)) {
    const size_t end = std::min(line.find(' ', at), line.size());
    out.emplace_back(line.substr(at, end - at), at);
    at = end;
  }
  return out;
}

// Every caption of the line stands where the QSO line shows its column's text.
void ExpectCaptionsOver(const std::string& captionLine, const std::string& qsoLine, const TypedQso& typed) {
  SCOPED_TRACE("\n" + captionLine + "\n" + qsoLine);
  const auto captions = Captions(captionLine);
  ASSERT_EQ(captions.size(), typed.columns.size());
  for (size_t i = 0; i < captions.size(); ++i) {
    const Under& u = typed.columns[i];
    const auto& [caption, at] = captions[i];
    ASSERT_EQ(caption, u.caption);
    if (u.text.empty()) {
      EXPECT_EQ(qsoLine.substr(at, caption.size()), std::string(caption.size(), ' ')) << caption;
      continue;
    }
    const size_t start = u.right ? at + caption.size() - u.text.size() : at;
    EXPECT_EQ(qsoLine.substr(start, u.text.size()), u.text) << caption;
    EXPECT_TRUE(start == 0 || qsoLine[start - 1] == ' ') << caption << ": the column starts at " << start;
  }
}

class ListCaptions : public OutputFixture {
 protected:
  void SetUp() override {
    OutputFixture::SetUp();
    messages.AllowAny(true);
  }

  // The lines of an output kind of the log as the output menu writes them.
  Lines Write(ContestLogBuilder& log, char letter, int kind) {
    job = PrintJob{};
    save.answer = dir.File(std::string(1, letter) + "-" + std::to_string(kind) + ".txt");
    TStdRout writer;
    RunOutput(static_cast<uint8_t>(kind), letter, log.Desc, log.list, log.extra, nullptr, writer);
    if (OutputCodeOfKind(static_cast<uint8_t>(kind)) == OutputCode::Printer) return job.Lines();
    Lines lines;
    EXPECT_TRUE(ReadTextFile(save.answer, lines));
    return lines;
  }

  // Every caption line of the lists and the QSO line below it.
  void CheckLists(ContestLogBuilder& log, const TypedLog& typed) {
    for (int kind : {OutputKind::ELogList, OutputKind::ELogBandList, OutputKind::ELogWhole, OutputKind::PaperList,
                     OutputKind::PaperBandList}) {
      SCOPED_TRACE("output kind " + std::to_string(kind));
      const Lines lines = Write(log, typed.letter, kind);
      int checked = 0;
      for (size_t n = 0; n + 1 < lines.size(); ++n) {
        const std::string head = ToStrings.Trim(lines[n]);
        if (head.rfind("Nr ", 0) != 0 && head.rfind("DATE ", 0) != 0) continue;
        // The first QSO under the captions (a band without QSOs has none).
        for (const TypedQso& q : typed.qsos) {
          if (lines[n + 1].find(" " + q.qso.Call + " ") == std::string::npos) continue;
          ExpectCaptionsOver(lines[n], lines[n + 1], q);
          ++checked;
        }
      }
      EXPECT_GT(checked, 0);
    }
    // The CSV file has a caption cell for every cell of the QSO lines.
    const Lines csv = Write(log, typed.letter, OutputKind::Csv);
    ASSERT_EQ(csv.size(), typed.qsos.size() + 1);
    for (size_t n = 1; n < csv.size(); ++n)
      EXPECT_EQ(std::count(csv[0].begin(), csv[0].end(), ';'), std::count(csv[n].begin(), csv[n].end(), ';'))
          << csv[0] << "\n" << csv[n];
  }

  void Check(TypedLog typed) {
    SCOPED_TRACE(std::string("letter ") + typed.letter);
    ContestLogBuilder log(typed.letter, typed.classPosition);
    for (TypedQso& q : typed.qsos) ASSERT_TRUE(log.Add(q.qso)) << q.qso.Call;
    log.Recount(true);
    CheckLists(log, typed);
  }
};

TEST_F(ListCaptions, StandOverTheirColumnsForEveryKindOfExchange) {
  const int32_t brz = ToDates.DMYToDate(20, 12, 2015);
  {  // BRZ party: club number and locator received, the square counted.
    TypedQso a{Qso("DL2XYZ", 'b', "CW", "59947/JO62", "599112/JO31", brz, "08:15"), {}};
    a.qso.Loc = "JO31";
    a.columns = {{"Nr", "    1"}, {"DATE", "201215"}, {"UTC", "0815"}, {"CALL", "DL2XYZ"}, {"BAND", "80"},
                 {"MODE", "CW"}, {"SENT", "599 47/JO62"}, {"RCVD", "599 112/JO31"}, {"Nr", ""},
                 {"Loc", "JO31"}, {"P", "2", true}};
    TypedQso b{Qso("OE1ABC", 'c', "CW", "59947/JO62", "5798/JN88", brz, "09:20"), {}};
    b.qso.Loc = "JN88";
    b.qso.Dxcc = "OE";
    b.columns = {{"Nr", "    1"}, {"DATE", "201215"}, {"UTC", "0920"}, {"CALL", "OE1ABC"}, {"BAND", "40"},
                 {"MODE", "CW"}, {"SENT", "599 47/JO62"}, {"RCVD", "579 8/JN88"}, {"Nr", ""},
                 {"Loc", "JN88"}, {"P", "2", true}};
    Check({'4', 1, {a, b}});
  }
  {  // Nordsee activity day: DOKs, names and QTHs.
    const int32_t day = ToDates.DMYToDate(3, 10, 2015);
    TypedQso a{Qso("DL2XYZ", 'b', "SSB", "59 B01", "57 I01", day, "08:15"), {}};
    a.qso.Dok = "I01";
    a.qso.NameQth = "Hans;Bremen";
    a.columns = {{"Nr", "    1"}, {"DATE", "031015"}, {"UTC", "0815"}, {"CALL", "DL2XYZ"}, {"BAND", "80"},
                 {"MODE", "SSB"}, {"SENT", "59  B01"}, {"RCVD", "57  I01"}, {"DOK", "I01"},
                 {"P", "1", true}, {"Name/QTH", "Hans/Bremen"}};
    Check({'l', 1, {a}});
  }
  {  // WAG: serial numbers received, DXCC multipliers.
    const int32_t day = ToDates.DMYToDate(17, 10, 2015);
    TypedQso a{Qso("F5AB", 'b', "CW", "599B01", "599017", day, "15:10"), {}};
    a.qso.Dxcc = "F";
    a.columns = {{"Nr", "    1"}, {"DATE", "171015"}, {"UTC", "1510"}, {"CALL", "F5AB"}, {"BAND", "80"},
                 {"MODE", "CW"}, {"SENT", "599 B01"}, {"RCVD", "599 017"}, {"DXCC", "F"}, {"P", "5", true}};
    TypedQso b{Qso("G4XYZ", 'c', "SSB", "59 B01", "59 1234", day, "16:00"), {}};
    b.qso.Dxcc = "G";
    b.columns = {{"Nr", "    1"}, {"DATE", "171015"}, {"UTC", "1600"}, {"CALL", "G4XYZ"}, {"BAND", "40"},
                 {"MODE", "SSB"}, {"SENT", "59  B01"}, {"RCVD", "59  1234"}, {"DXCC", "G"}, {"P", "5", true}};
    Check({'W', 1, {a, b}});
  }
  {  // QCWA party: member numbers, the listed stations in the third column.
    const int32_t day = ToDates.DMYToDate(7, 9, 2015);
    TypedQso a{Qso("DK0QCW", 'b', "SSB", "59", "59 4711", day, "15:10"), {}};
    a.qso.Call2 = "4711";
    a.columns = {{"Nr", "    1"}, {"DATE", "070915"}, {"UTC", "1510"}, {"CALL", "DK0QCW"}, {"BAND", "80"},
                 {"MODE", "SSB"}, {"SENT", "59"}, {"RCVD", "59  4711"}, {"DXCC", "DL"}, {"QCWA", "4711"},
                 {"Callmulti", "DK0QCW"}, {"P", "10", true}};
    Check({'k', 1, {a}});
  }
  {  // Nordic activity: locators, points by the distance.
    const int32_t day = ToDates.DMYToDate(7, 12, 2026);
    TypedQso a{Qso("SM7XYZ", 'k', "CW", "599 JO62QM", "579 JO65CD", day, "17:30"), {}};
    a.qso.Loc = "JO65CD";
    a.qso.Dxcc = "SM";
    a.qso.Qrb = 1234;
    a.columns = {{"Nr", "    1"}, {"DATE", "071226"}, {"UTC", "1730"}, {"CALL", "SM7XYZ"}, {"BAND", "2"},
                 {"MODE", "CW"}, {"SENT", "599  JO62QM"}, {"RCVD", "579  JO65CD"}, {"Loc", "JO65"},
                 {"Pkt", "1734", true}};
    Check({'N', 1, {a}});
  }
  {  // Hand-key party as a listener: what the first station sent, the
     // second station and what that one sent; no running numbers.
    TypedQso a{Qso("DL2XYZ", 'b', "CW", "599001/A/Hans", "579012/B/Erna/70", brz, "08:15"), {}};
    a.qso.Call2 = "DK9ZZ";
    a.columns = {{"DATE", "201215"}, {"UTC", "0815"}, {"CALL", "DL2XYZ"}, {"BAND", "80"}, {"MODE", "CW"},
                 {"SENT", "579 012/B/Erna/70"}, {"CALL2", "DK9ZZ"}, {"SENT2", "599 001/A/Hans"},
                 {"P", "0", true}};
    Check({'q', 4, {a}});
  }
}

}  // namespace
