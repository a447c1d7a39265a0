#include "hamradio/logbuch.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(LogbuchTest, FieldNumbersOneToFortyNineWithTwoVocabularies) {
  std::set<std::string> own, adif;
  int expected = 1;
  for (const auto& f : QsoFields()) {
    EXPECT_EQ(f.Number, expected++);
    EXPECT_TRUE(own.insert(f.Name).second) << f.Name;
    EXPECT_TRUE(!*f.AdifName || adif.insert(f.AdifName).second) << f.AdifName;
    // Each name leads back to its field, whichever vocabulary it comes from.
    EXPECT_EQ(QsoFieldNumber(f.Name), f.Number) << f.Name;
    if (*f.AdifName) {
      EXPECT_EQ(QsoFieldNumber(f.AdifName), f.Number) << f.AdifName;
    }
  }
  EXPECT_EQ(expected, kQsoFieldCount + 1);
}

TEST(LogbuchTest, NamesOfTheFieldsOtherUnitsRead) {
  EXPECT_STREQ(QsoFieldName(qfCall), "Call");
  EXPECT_STREQ(QsoFieldName(2), "Call");
  EXPECT_STREQ(QsoFieldName(3), "DXCC");
  EXPECT_STREQ(QsoFieldAdifName(qfDatum), "QSO_DATE");
  EXPECT_STREQ(QsoFieldName(qfUtc), "UTC");
  EXPECT_STREQ(QsoFieldAdifName(qfUtc), "TIME_ON");
  EXPECT_EQ(QsoFieldNumber("call"), 2);
  EXPECT_EQ(QsoFieldNumber(" time_on "), qfUtc);
  EXPECT_EQ(QsoFieldNumber("Datum"), qfDatum);
  EXPECT_EQ(QsoFieldNumber("GRIDSQUARE"), QsoFieldNumber("Locator"));
  EXPECT_EQ(QsoFieldNumber("nonsense"), 0);
  EXPECT_EQ(QsoFieldNumber(""), 0);
  EXPECT_STREQ(QsoFieldName(0), "");
  EXPECT_STREQ(QsoFieldName(50), "");
  EXPECT_STREQ(QsoFieldAdifName(-1), "");
}

}  // namespace
