#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QDir>

#include "contest/ContestFkt.h"
#include "contest/eingcontstdlogic.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "support/TempProgramDir.h"
#include "platform/paths.h"
#include "platform/textfile.h"

namespace {

struct Parts {
  std::string p1, p2, p3, p4;
};

void PutSent(TContestQsoRecord& q, const Parts& p) {
  rec::SetStr(q.data(), qrec::kSent1, qrec::kSent1Cap, p.p1);
  rec::SetStr(q.data(), qrec::kSent2, qrec::kSent2Cap, p.p2);
  rec::SetStr(q.data(), qrec::kSent3, qrec::kSent3Cap, p.p3);
  rec::SetStr(q.data(), qrec::kSent4, qrec::kSent4Cap, p.p4);
}
Parts SentOf(const TContestQsoRecord& q) {
  return {rec::GetStr(q.data(), qrec::kSent1, qrec::kSent1Cap),
          rec::GetStr(q.data(), qrec::kSent2, qrec::kSent2Cap),
          rec::GetStr(q.data(), qrec::kSent3, qrec::kSent3Cap),
          rec::GetStr(q.data(), qrec::kSent4, qrec::kSent4Cap)};
}
Parts ReceivedOf(const TContestQsoRecord& q) {
  return {rec::GetStr(q.data(), qrec::kRcvd1, qrec::kRcvd1Cap),
          rec::GetStr(q.data(), qrec::kRcvd2, qrec::kRcvd2Cap),
          rec::GetStr(q.data(), qrec::kRcvd3, qrec::kRcvd3Cap),
          rec::GetStr(q.data(), qrec::kRcvd4, qrec::kRcvd4Cap)};
}
void ExpectParts(const Parts& a, const Parts& e) {
  EXPECT_EQ(a.p1, e.p1);
  EXPECT_EQ(a.p2, e.p2);
  EXPECT_EQ(a.p3, e.p3);
  EXPECT_EQ(a.p4, e.p4);
}

}  // namespace

TEST(ExchangeText, ShortFirstPartDoesNotSplitBackIntoTheSameParts) {
  TContestQsoRecord q{};
  PutSent(q, {"599 Z11A", "BC", "", "DEF"});
  const std::string text = TContestFkt::GetSentExchange(q);
  EXPECT_EQ(text, "599 Z11ABCDEF");
  EXPECT_EQ(text.size(), 13u);

  TContestFkt::SetSentExchange(text, q);
  ExpectParts(SentOf(q), {"599 Z11AB", "CD", "EF", ""});
}

TEST(ExchangeText, FullWidthPartsRoundTripInBothDirections) {
  TContestQsoRecord q{};
  TContestFkt::SetReceivedExchange("599JO31LKab12cdefghi", q);
  ExpectParts(ReceivedOf(q), {"599JO31LK", "ab", "12", "cdefghi"});
  EXPECT_EQ(TContestFkt::GetReceivedExchange(q), "599JO31LKab12cdefghi");
  ExpectParts(SentOf(q), {"", "", "", ""});  // the other direction is untouched

  TContestFkt::SetSentExchange("579Z11     01 00123", q);
  EXPECT_EQ(TContestFkt::GetSentExchange(q), "579Z11     01 00123");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(q), "599JO31LKab12cdefghi");
}

TEST(ExchangeText, LongTextKeepsTwentyCharactersAndEmptyTextClearsAllParts) {
  TContestQsoRecord q{};
  TContestFkt::SetSentExchange("1234567890abcdefghijKLMNO", q);
  EXPECT_EQ(TContestFkt::GetSentExchange(q), "1234567890abcdefghij");
  ExpectParts(SentOf(q), {"123456789", "0a", "bc", "defghij"});

  TContestFkt::SetSentExchange("", q);
  ExpectParts(SentOf(q), {"", "", "", ""});
  EXPECT_EQ(TContestFkt::GetSentExchange(q), "");
  for (size_t off : {qrec::kSent1 + 1, qrec::kSent4 + 1}) EXPECT_EQ(q[off], 0) << off;
}

TEST(ExchangeText, ViewsIntoABufferGiveTheSameTextsQsoAfterQso) {
  // One buffer serves the lines of a whole list: each QSO's text replaces
  // the one before, a shorter one included.
  TContestFkt::TExchangeBuffer sent{}, rcvd{};
  for (const char* text : {"599JO31LKab12cdefghi", "59", "", "579Z11     01 00123", "1234567890abcdefghijKLMNO"}) {
    TContestQsoRecord q{};
    TContestFkt::SetSentExchange(text, q);
    TContestFkt::SetReceivedExchange(std::string(text) + "R", q);
    EXPECT_EQ(TContestFkt::SentExchange(q, sent), TContestFkt::GetSentExchange(q)) << text;
    EXPECT_EQ(TContestFkt::ReceivedExchange(q, rcvd), TContestFkt::GetReceivedExchange(q)) << text;
  }
}

TEST(ExchangeText, DamagedLengthBytesAreClampedToTheirParts) {
  TContestQsoRecord q{};
  TContestFkt::SetReceivedExchange("599JO31LKab12cdefghi", q);
  q[qrec::kRcvd1] = 200;
  q[qrec::kRcvd2] = 9;
  q[qrec::kRcvd4] = 255;
  EXPECT_EQ(TContestFkt::GetReceivedExchange(q), "599JO31LKab12cdefghi");
}

// --- the definitions on the contest list -------------------------------------

namespace {

class FakeContestList : public TContestListAccess {
 public:
  int32_t ref = 12;
  TContestRecord edit{};
  TContestRecord stored{};
  int reads = 0, writes = 0, updates = 0;

  int32_t CurrentRef() override { return ref; }
  void GetContestRecord(TContestRecord& record) override {
    ++reads;
    record = edit;
  }
  void SetContestRecord(const TContestRecord& record) override {
    ++writes;
    edit = record;
  }
  int Update() override {
    ++updates;
    stored = edit;
    return 0;
  }
};

class DefineOnList : public ::testing::Test {
 protected:
  void SetUp() override {
    fkt.Services().Station = [] {
      ToSetupStation s{};
      rec::SetStr(s.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO31LK");
      return s;
    };
    fkt.Services().UtcBiasMinutes = [] { return -120; };
    fkt.Services().Today = [] { return 150000; };
    rec::SetInt32(table.edit.data(), crec::kZusatzWert, 123);
    rec::SetChar(table.edit.data(), crec::kTyp, '4');
    table.stored = table.edit;
  }
  TContestFkt fkt;
  FakeContestList table;
  std::unique_ptr<TContestRec> rec = std::make_unique<TContestRec>();
};

}  // namespace

TEST_F(DefineOnList, ExistingLogIsReadAndMarkedAndRewrittenWithWriteBack) {
  fkt.DefineContest(*rec, &table, '4', true);
  EXPECT_EQ(rec->SentDefaults[0], "123");
  EXPECT_EQ(rec->SentDefaults[1], "JO31");
  EXPECT_EQ(rec->TimeZoneHours, -2);
  EXPECT_EQ(table.writes, 1);
  EXPECT_EQ(table.edit[crec::kTotalsPlace], 255);
  EXPECT_EQ(table.updates, 1);
  EXPECT_EQ(table.stored[crec::kTotalsPlace], 255);
  EXPECT_EQ(rec::GetInt32(table.stored.data(), crec::kZusatzWert), 123);
}

TEST_F(DefineOnList, WithoutWriteBackOnlyTheEditCopyChanges) {
  fkt.DefineContest(*rec, &table, '4', false);
  EXPECT_EQ(table.edit[crec::kTotalsPlace], 255);
  EXPECT_EQ(table.updates, 0);
  EXPECT_EQ(table.stored[crec::kTotalsPlace], 0);
}

TEST_F(DefineOnList, NewLogTakesNothingFromTheLogTheListStandsOn) {
  fkt.DefineNewContest(*rec, '4');
  EXPECT_EQ(rec->SentDefaults[0], "");       // not the other log's club number
  EXPECT_EQ(rec->DisplayTitle, "BRZ-Party");  // no first date yet
  EXPECT_EQ(rec->SentDefaults[1], "JO31");
  EXPECT_EQ(table.reads + table.writes + table.updates, 0);

  // A list standing on no record (first start) is a new log as well.
  table.ref = 0;
  fkt.DefineContest(*rec, &table, '4', true);
  EXPECT_EQ(rec->SentDefaults[0], "");
  EXPECT_EQ(table.reads + table.writes + table.updates, 0);
  EXPECT_EQ(table.edit[crec::kTotalsPlace], 0);

  fkt.DefineContest(*rec, nullptr, '4', true);
  EXPECT_EQ(rec->OutputKinds, TByteSet({1, 2, 4, 5, 6, 7, 9}));
}

TEST(DefineOnTable, StoredLogIsReadAndRewrittenWithItsTotalsMark) {
  TempProgramDir dir;
  TdbContest list(kContestList, false, 0);
  TContestRecord c{};
  rec::SetChar(c.data(), crec::kTyp, '4');
  rec::SetStr(c.data(), crec::kName, crec::kNameCap, "Party");
  rec::SetInt32(c.data(), crec::kZusatzWert, 4711);
  rec::SetInt32(c.data(), crec::kDatumVon, ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy"));
  list.ClearRecord();
  list.SetContestRecord(c);
  ASSERT_TRUE(list.Add());
  list.GetContestRecord(c);
  const int32_t nummer = rec::GetInt32(c.data(), crec::kNummer);

  TContestFkt fkt;
  auto rec = std::make_unique<TContestRec>();
  fkt.DefineContest(*rec, list, '4', true);
  EXPECT_EQ(rec->SentDefaults[0], "4711");
  EXPECT_EQ(rec->DisplayTitle, "BRZ-Party 2015");

  TdbContest other(kContestList, false, 0);
  ASSERT_TRUE(other.FindByNumber(nummer));
  TContestRecord back{};
  other.GetContestRecord(back);
  EXPECT_EQ(back[crec::kTotalsPlace], 255);
  EXPECT_EQ(rec::GetStr(back.data(), crec::kName, crec::kNameCap), "Party");
}

TEST(DefineWithSettings, StationDataComeFromTheSettingsWhenNoServiceIsSet) {
  ToSetupStation saved;
  ToSetups.GetStation(saved);
  ToSetupStation station{};
  rec::SetStr(station.data(), stationrec::kLocator, stationrec::kLocatorCap, "JN58TD");
  ToSetups.SetStation(station);

  TContestFkt fkt;
  auto rec = std::make_unique<TContestRec>();
  fkt.DefineNewContest(*rec, '4');
  ToSetups.SetStation(saved);
  EXPECT_EQ(rec->SentDefaults[1], "JN58");
}

TEST_F(DefineOnList, MilitaryRigComesFromTheStationFileTheSetupWrote) {
  TempProgramDir dir;
  // Rules and pictures may lie in a contest directory; the station files
  // stay in the program directory, where the set-up dialog writes them.
  fkt.Services().ContestDirectory = [] { return std::string("regeln/"); };
  ASSERT_TRUE(QDir(FileNameToQString(dir.Path())).mkdir(QStringLiteral("regeln")));
  ASSERT_TRUE(WriteTextFile(dir.File("regeln/mrr     7.STN"), {"falsche Datei"}));
  ASSERT_TRUE(WriteTextFile(TContestSetupLogic::StationFileName('v', 7), {"FT-817 5 W", "Dipol"}));
  EXPECT_EQ(TContestSetupLogic::StationFileName('v', 7), dir.File("mrr     7.STN"));

  rec::SetChar(table.edit.data(), crec::kTyp, 'v');
  rec::SetInt32(table.edit.data(), crec::kNummer, 7);
  fkt.DefineContest(*rec, &table, 'v', false);
  EXPECT_EQ(rec->SentDefaults[1], "FT-817 5 W");
}

// --- names, pictures, edition ------------------------------------------------

TEST(ContestTitle, EveryNamedLetterHasItsQuotedNameAndPicture) {
  TContestFkt fkt;
  std::string name, picture;
  fkt.GetContestTitle('4', name, picture);
  EXPECT_EQ(name, "\"Party des Brazelund e.V.\"");
  EXPECT_EQ(picture, "brz.bmp");
  fkt.GetContestTitle('K', name, picture);
  EXPECT_EQ(name, "\"Herbstcontest Köln-Aachen\"");
  EXPECT_EQ(picture, "koelnaachen.bmp");
  fkt.GetContestTitle('v', name, picture);
  EXPECT_EQ(name, "\" Military on the Air Aktivität der MRR\"");
  EXPECT_EQ(picture, "MRR-Siegel.bmp");

  const std::string named = "VBDqHEFJR5PGNSTLUIlZCKAfYoOQ123c678sm9a4bdeghijknprWuv";
  for (char letter : named) {
    SCOPED_TRACE(std::string(1, letter));
    name = "?";
    picture = "?";
    fkt.GetContestTitle(letter, name, picture);
    ASSERT_GE(name.size(), 3u);
    EXPECT_EQ(name.front(), '"');
    EXPECT_EQ(name.back(), '"');
    if (letter == 'i')
      EXPECT_EQ(picture, "");
    else
      EXPECT_NE(picture, "?");
  }
}

TEST(ContestTitle, ContestDirectoryPrefixesPicturesButNotTheOwnPictureOfJ) {
  TContestFkt fkt;
  fkt.Services().ContestDirectory = [] { return std::string("bilder/"); };
  std::string name, picture;
  fkt.GetContestTitle('4', name, picture);
  EXPECT_EQ(picture, "bilder/brz.bmp");
  fkt.GetContestTitle('j', name, picture);
  EXPECT_EQ(name, "\"MMMonVHF MS SPRINT CONTEST\"");
  EXPECT_FALSE(picture.empty());
  EXPECT_EQ(picture.find('/'), std::string::npos);
}

TEST(ContestTitle, LettersWithoutNameLeaveBothOutputsAlone) {
  TContestFkt fkt;
  for (char letter : {'X', 't', 'x'}) {
    std::string name = "alt", picture = "alt.bmp";
    fkt.GetContestTitle(letter, name, picture);
    EXPECT_EQ(name, "alt");
    EXPECT_EQ(picture, "alt.bmp");
  }
}

TEST(EditionInfo, NamesTheOwnContestAndMatchesItsDescription) {
  char letter = 0;
  std::string version, bitmap, notice;
  TContestFkt::GetEditionInfo(letter, version, bitmap, notice);
  EXPECT_EQ(letter, '4');
  EXPECT_EQ(version, "Tavrin Ostrelon Version 2015-2.0  BRZ-Party");
  EXPECT_EQ(bitmap, "titel_ostrelon");
  EXPECT_FALSE(notice.empty());

  TContestFkt fkt;
  auto rec = std::make_unique<TContestRec>();
  fkt.DefineNewContest(*rec, letter);
  EXPECT_EQ(rec->TitleLine, std::string("Ostrelon Version 2015-2.0") + notice);
}
