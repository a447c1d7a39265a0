#include "logentry/rules/exchangeautofill.h"

#include <array>
#include <cctype>

#include "contest/ContestFkt.h"
#include "contest/LetterRules.h"
#include "database/dbCall.h"
#include "database/dbCallDat.h"
#include "database/dbContestBase.h"
#include "base/recfields.h"
#include "hamradio/prefixe.h"
#include "logentry/rules/exchangeparts.h"
#include "logentry/rules/memberlists.h"

namespace {

constexpr size_t kValueWidth = 8;  // an exchange value from a book or list
constexpr int kSavedNumberField = 3;  // where the save puts the numbers of "hsc.csv" and "naval.csv"

std::string Cut(std::string s, size_t n = kValueWidth) {
  if (s.size() > n) s.resize(n);
  return s;
}

// The partner as found in the call book and the call database.
class TPartnerSources {
 public:
  TPartnerSources(TdbCall* book, TdbCall* database, const std::string& homeCall)
      : book_(book && !homeCall.empty() && book->FindCall(homeCall) ? book : nullptr),
        database_(database && !homeCall.empty() && database->FindCall(homeCall) ? database
                                                                                 : nullptr) {}

  // The call book's item when it has one, else the call database's.
  template <typename Getter>
  std::string BookFirst(Getter get) const {
    if (book_) {
      std::string v = get(*book_);
      if (!v.empty()) return v;
    }
    return database_ ? get(*database_) : std::string();
  }
  template <typename Getter>
  std::string BookOnly(Getter get) const {
    return book_ ? get(*book_) : std::string();
  }
  template <typename Getter>
  std::string DatabaseOnly(Getter get) const {
    return database_ ? get(*database_) : std::string();
  }

 private:
  TdbCall* book_;
  TdbCall* database_;
};

// An MF number as the exchange carries it: a bare number gets "MF" in front;
// "MF" and "MF0" are no number.
std::string MfNumber(const std::string& item) {
  std::string v = item;
  if (!v.empty() && std::isdigit(static_cast<unsigned char>(v[0]))) v = "MF" + v;
  v = Cut(v);
  return v == "MF" || v == "MF0" ? std::string() : v;
}

// A member number from a field of a line; "OP" in it means no number.
std::string NumberWithoutOp(const TMemberLists& lists, int line, int list, int field) {
  const std::string v = lists.MemberField(field, line, list);
  return v.find("OP") != std::string::npos ? std::string() : Cut(v);
}

}  // namespace

bool IsDokStation(std::string_view call, char contestLetter) {
  if (contestLetter == 'K' || contestLetter == 'B') return true;
  if (call.size() < 2 || call[0] != 'D') return false;
  const char c = call[1];
  return (c >= 'A' && c <= 'H') || (c >= 'J' && c <= 'R');
}

void PutExchangeField(TContestQsoRecord& qso, const TContestRec& contest, const std::string& value,
                      ExchangeKind kind, bool setCall2) {
  TExchangeParts parts = SplitExchangeParts(TContestFkt::GetReceivedExchange(qso));
  std::array<std::string*, 3> fields{&parts.Part2, &parts.Part3, &parts.Part4};
  bool changed = false;
  for (size_t i = 0; i < 3; ++i) {
    if (contest.ReceivedKinds[i] == kind) {
      *fields[i] = value;
      changed = true;
    }
  }
  if (changed) TContestFkt::SetReceivedExchange(JoinExchangeParts(parts), qso);
  if (setCall2) rec::SetStr(qso.data(), qrec::kCall2, qrec::kCall2Cap, value);
}

std::string FillExchangeFromLists(TMemberLists& lists, const TContestRec& contest,
                                  const TContestRecord& listRecord, TContestQsoRecord& qso,
                                  TdbCall* callBook, TdbCall* callDatabase) {
  using K = ExchangeKind;
  std::string locatorResult;
  const std::string call = rec::GetStr(qso.data(), qrec::kCall, qrec::kCallCap);
  const std::string home = ToPrefix.BaseCall(call);
  const char letter = rec::GetChar(listRecord.data(), crec::kTyp);
  const auto& kinds = contest.ReceivedKinds;
  const auto anyKind = [&](ExchangeKind k) { return kinds[0] == k || kinds[1] == k || kinds[2] == k; };
  const TPartnerSources partner(callBook, callDatabase, home);
  const auto put = [&](const std::string& v, ExchangeKind kind, bool setCall2) {
    PutExchangeField(qso, contest, v, kind, setCall2);
  };

  if (IsDokStation(call, letter) && anyKind(K::Dok)) {
    const std::string dok = Cut(partner.BookFirst([](TdbCall& t) { return t.GetDOK(); }));
    if (!dok.empty()) put(dok, K::Dok, false);
  }
  if (anyKind(K::Locator) || anyKind(K::LocatorDistance)) {
    const std::string loc = partner.BookFirst([](TdbCall& t) { return t.GetLocator(); });
    if (!loc.empty()) {
      locatorResult = loc;
      put(loc, K::LocatorDistance, false);
      put(loc.substr(0, 4), K::Locator, false);
    }
  }
  if (kinds[0] == K::Area || kinds[1] == K::Area) {
    const std::string dok = Cut(partner.BookOnly([](TdbCall& t) { return t.GetDOK(); }));
    if (!dok.empty()) put(dok, K::Area, false);
  }
  if (kinds[0] == K::Name || kinds[1] == K::Name) {
    const std::string name = Cut(partner.BookFirst([](TdbCall& t) { return t.GetName(); }));
    if (!name.empty()) put(name, K::Name, false);
  }
  const TCallBookNumber club = CallBookNumberOf(letter);
  if (kinds[0] == K::MemberDigAgcwIbfd && club != TCallBookNumber::None) {
    const std::string number = Cut(club == TCallBookNumber::Dig
                                       ? partner.BookFirst([](TdbCall& t) { return t.GetDIG(); })
                                       : partner.BookFirst([](TdbCall& t) { return t.GetAGCW(); }));
    if (!number.empty()) put(number, K::MemberDigAgcwIbfd, true);
  }
  if (kinds[1] == K::MemberDigAgcwIbfd && club == TCallBookNumber::Agcw) {
    const std::string number = Cut(partner.BookFirst([](TdbCall& t) { return t.GetAGCW(); }));
    if (!number.empty()) put(number, K::MemberDigAgcwIbfd, true);
  }
  const bool part2Member = kinds[0] == K::MemberNavalQcwaDsw;
  if (letter == 'i' && part2Member) {
    std::string mf = MfNumber(partner.BookOnly([](TdbCall& t) { return t.GetMF(); }));
    if (mf.empty()) mf = MfNumber(partner.DatabaseOnly([](TdbCall& t) { return t.GetMF(); }));
    if (!mf.empty()) put(mf, K::MemberNavalQcwaDsw, true);
  }
  if (letter == 'k' && part2Member) {
    const int line = lists.FindMemberLine(MemberFile::Qcwa, call, 1);
    if (line >= 0) {
      const std::string v = NumberWithoutOp(lists, line, 1, 3);
      if (!v.empty()) put(v, K::MemberNavalQcwaDsw, true);
    }
  }
  if (letter == '6' && kinds[0] == K::FreeText) {
    const int line = lists.FindMemberLine(MemberFile::Hsc, call, 1);
    // The save keeps a typed number in field 3 of the line it adds; the file's
    // lines carry it in field 2.
    const int field = lists.IsAddedLine(line, 1) ? kSavedNumberField : 2;
    std::string v = line >= 0 ? NumberWithoutOp(lists, line, 1, field) : std::string();
    if (v.empty()) v = "NM";
    put(v, K::FreeText, false);
  }
  if (letter == 'v' && kinds[0] == K::Serial) {
    const int line = lists.FindMemberLine(MemberFile::Mrr, call, 1);
    const std::string v = line >= 0 ? Cut(lists.MemberField(2, line, 1)) : std::string();
    if (!v.empty()) put(v, K::Serial, false);
  }
  if (letter == 'v' && kinds[1] == K::FreeText) {
    const int line = lists.FindMemberLine(MemberFile::MrrRig, call, 2);
    const std::string v = line >= 0 ? Cut(lists.MemberField(2, line, 2)) : std::string();
    if (!v.empty()) put(v, K::FreeText, false);
  }
  if (letter == 'i' && part2Member) {
    const int line = lists.FindMemberLineByField2(MemberFile::Naval, call, 1);
    std::string mf = line >= 0 ? lists.MemberField(1, line, 1) : std::string();
    if (!mf.empty()) {
      mf = Cut("MF" + mf);
    } else {
      // A partner the save added carries his call in field 1 and the number
      // as typed in field 3.
      const int added = lists.FindMemberLine(MemberFile::Naval, call, 1);
      if (lists.IsAddedLine(added, 1)) mf = MfNumber(lists.MemberField(kSavedNumberField, added, 1));
    }
    if (!mf.empty()) put(mf, K::MemberNavalQcwaDsw, false);
  }
  if (letter == 'p' && part2Member) {
    const int line = lists.FindMemberLine(MemberFile::Dsw, call, 1);
    if (line >= 0) {
      std::string v = lists.MemberField(4, line, 1);
      if (v.empty()) v = lists.MemberField(5, line, 1);
      v = Cut(v);
      if (!v.empty()) put(v, K::MemberNavalQcwaDsw, false);
      const std::string name = Cut(lists.MemberField(2, line, 1));
      if (!name.empty()) {
        const std::string nameQth = rec::GetStr(qso.data(), qrec::kNameQth, qrec::kNameQthCap);
        const size_t semi = nameQth.find(';');
        const std::string text = semi == std::string::npos ? name : name + nameQth.substr(semi);
        rec::SetStr(qso.data(), qrec::kNameQth, qrec::kNameQthCap, text);
      }
    }
  }
  if (letter == 'n' && kinds[0] == K::MemberDigAgcwIbfd) {
    const int line = lists.FindMemberLine(MemberFile::Ibfd, call, 1);
    if (line >= 0) {
      const std::string v = NumberWithoutOp(lists, line, 1, 3);
      if (!v.empty()) put(v, K::MemberDigAgcwIbfd, true);
    }
  }
  return locatorResult;
}

std::string FillExchangeFromLists(TMemberLists& lists, const TContestRec& contest,
                                  const TContestRecord& listRecord, TdbContestBase& qsoTable) {
  TContestQsoRecord qso{};
  qsoTable.GetQsoRecord(qso);
  TdbCall callBook(kCallBook, false);
  TdbCall callDatabase(kCallDatabase, false);
  const std::string locator =
      FillExchangeFromLists(lists, contest, listRecord, qso, &callBook, &callDatabase);
  qsoTable.SetQsoRecord(qso);
  return locator;
}
