// The readers of the log window's user files on damaged input: an ADIF file
// and a club member list, each mutated at random from a sound one. Nothing
// may crash (the sanitizer build runs these too) and what is read must still
// make sense.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

#include "hamradio/prefixe.h"
#include "logentry/adif/adifimport.h"
#include "logentry/rules/memberlists.h"
#include "platform/paths.h"
#include "support/TempProgramDir.h"

namespace {

// Changes, drops, doubles or cuts a few characters, favouring the ones the
// format gives meaning to.
std::string Damage(std::string text, std::mt19937& rng, const std::string& alphabet) {
  auto any = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  for (int edits = 1 + static_cast<int>(any(6)); edits > 0 && !text.empty(); --edits) {
    const size_t at = any(text.size());
    switch (any(5)) {
      case 0: text[at] = alphabet[any(alphabet.size())]; break;
      case 1: text[at] = static_cast<char>(any(256)); break;
      case 2: text.erase(at, 1 + any(12)); break;
      case 3: text.insert(at, text.substr(any(text.size()), 1 + any(20))); break;
      default: text.resize(at); break;
    }
  }
  return text;
}

TEST(DamagedInput, AdifReaderKeepsEveryValueInsideTheText) {
  const std::string sound =
      "Export <ADIF_VER:5>3.1.0 <PROGRAMID:4>Test <EOH>\n"
      "<CALL:6>DL1ABC<QSO_DATE:8>20240312<TIME_ON:6>081500<FREQ:6>14.030<MODE:2>CW"
      "<RST_RCVD:3>599<SRX:3>012<EOR>\n# Kommentar\n"
      "<call:4>OK1A <qso_date:8:d>20240312 <time_on:4>0816 <band:3>20m <mode:3>SSB <eor>\n"
      "<CALL:5>G4ABC<SRX_STRING:7>B01 599<COMMENT:12>Grüße aus GB<EOR>\n";
  ASSERT_EQ(ParseAdifText(sound).Records.size(), 3u);
  std::mt19937 rng(3103);
  const std::string alphabet = "<>:0123456789ABCEOHRT#\n ";
  const std::vector<std::string> mapping = {"CALL", "QSO_DATE", "TIME_ON (TIME_OFF)", "SRX"};
  for (int round = 0; round < 4000 && !HasFailure(); ++round) {
    const std::string text = Damage(sound, rng, alphabet);
    const TAdifFile f = ParseAdifText(text);
    for (const TAdifRecord& r : f.Records)
      for (const auto& [name, value] : r.Fields) {
        ASSERT_LE(name.size() + value.size(), text.size()) << text;
        ASSERT_EQ(name.find('<'), std::string::npos) << text;
      }
    for (const TAdifRecord& r : f.Records)
      for (const char* field : {"CALL", "QSO_DATE", "TIME_ON", "SRX", "BAND"})
        ASSERT_LE(GetFieldValue(r, mapping, field, "").size(), text.size() + 2) << text;
  }
}

TEST(DamagedInput, MemberListFindsOnlyLinesOfTheSearchedCall) {
  TempProgramDir dir;
  const std::string sound =
      "DL1ABC;Hans;0815\r\nOE2XYZ ; Eva ;4711\r\n;leer;1\r\nDL1ABC;doppelt;2\r\n"
      "G4ABC;John;3\r\n\r\nDK0XX;Klub;4;;fünf;sechs\r\n";
  std::mt19937 rng(1955);
  const std::string alphabet = ";\r\n DLOEG0124ABCX/";
  const char* const calls[] = {"DL1ABC", "DL1ABC/P", "OE2XYZ", "G4ABC", "DK0XX", "", "X"};
  for (int round = 0; round < 1500 && !HasFailure(); ++round) {
    const std::string bytes = Damage(sound, rng, alphabet);
    std::ofstream(NativeFileName(dir.File("liste.csv")), std::ios::binary | std::ios::trunc)
        << bytes;
    TMemberLists lists(dir.Path());
    for (const char* call : calls) {
      const int line = lists.FindMemberLine("liste.csv", call, 1);
      if (line >= 0) {
        ASSERT_EQ(lists.MemberField(1, line, 1), ToPrefix.BaseCallEx(call, 1)) << bytes;
      }
      ASSERT_EQ(lists.MemberField(3, lists.LineCount(1), 1), "");
    }
    for (int i = 0; i < lists.LineCount(1); ++i) ASSERT_NE(lists.MemberField(1, i, 1), "") << bytes;
  }
}

}  // namespace
