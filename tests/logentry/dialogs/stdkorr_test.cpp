// The QSO lists' keys and the callsign search walk.
#include "logentry/brzlog_fixture.h"
#include "logentry/rules/stdkorrlogic.h"

namespace {

TEST(KorrekturKeys, EachListPagesItsOwnKeyAndBounds) {
  TKorrekturKeys k = KorrekturKeys(kKorrekturQsoList, 0, false);
  EXPECT_EQ(k.KeyNumber, qrec::kKeyWagNummer);
  EXPECT_EQ(k.Low, EncodeIntKey(1));
  EXPECT_EQ(k.High, EncodeIntKey(999999999));
  k = KorrekturKeys(kKorrekturQsoList, 0, true);
  EXPECT_EQ(k.Low, ToStrings.IntToKeyString(1, true));
  k = KorrekturKeys(kKorrekturCallSearch, 0, false);
  EXPECT_EQ(k.KeyNumber, qrec::kKeyCallDatumZeit);
  EXPECT_EQ(k.Low, "A");
  EXPECT_EQ(k.High, "");
  k = KorrekturKeys(kKorrekturBandLog, 'c', false);
  EXPECT_EQ(k.KeyNumber, qrec::kKeyBandNrIntern);
  EXPECT_EQ(k.Low, "c");
  EXPECT_EQ(k.High, "c");
  EXPECT_NE(KorrekturCaption(kKorrekturBandLog), KorrekturCaption(kKorrekturQsoList));
}

TEST(CallSearch, PortableFormsShareTheHomeCall) {
  for (const char* typed : {"dl1abc", "DL1ABC/P", "EA8/DL1ABC", "DL1ABC/MM", " DL1ABC/p "}) {
    const TCallSearch s = CallSearchFor(typed);
    EXPECT_EQ(s.HomeCall, "DL1ABC") << typed;
    EXPECT_EQ(s.Bound, "DL1ABC        ") << typed;  // the whole key: DL1ABCD is another call
  }
  EXPECT_TRUE(CallSearchFor("EA8/DL1ABC").FindTypedForm);
  EXPECT_FALSE(CallSearchFor("DL1ABC/P").FindTypedForm);
  EXPECT_FALSE(CallSearchFor("").FindTypedForm);
}

class CallSearchWalk : public BrzLogTest {};

TEST_F(CallSearchWalk, FindsTheTypedFormAmongTheHomeCallsQsosOnly) {
  Store({{.call = "DL1AB", .zeit = kStart},
         {.call = "DL1ABC", .zeit = kStart + 10},
         {.call = "EA8/DL1ABC", .zeit = kStart + 20},
         {.call = "EA8/DL1ABC", .zeit = kStart + 30},
         {.call = "EA8/DL1ABCD", .zeit = kStart + 5},
         {.call = "OH0/DL1ABC", .zeit = kStart + 40}});
  TdbContest log(kContestLog, false, nummer_);
  const int32_t ref = FindTypedCall(log, CallSearchFor("EA8/DL1ABC"));
  EXPECT_EQ(ref, RefOfCall("EA8/DL1ABC"));  // the earlier of the two
  EXPECT_EQ(FindTypedCall(log, CallSearchFor("OH0/DL1ABC")), RefOfCall("OH0/DL1ABC"));
  EXPECT_EQ(FindTypedCall(log, CallSearchFor("HB0/DL1ABC")), 0);
  EXPECT_EQ(FindTypedCall(log, CallSearchFor("EA8/DL1AB")), 0);  // DL1AB's QSOs hold no EA8 form
}

}  // namespace
