#include "logentry/rules/qsosave.h"

#include "contest/ContestFkt.h"
#include "contest/LetterRules.h"
#include "database/dbCall.h"
#include "database/dbContestBase.h"
#include "database/homecall.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "logentry/rules/exchangeparts.h"
#include "logentry/rules/qsopoints.h"
#include "storage/ifderrors.h"

namespace {

std::string PadNumberPart(std::string_view exchange, bool firstKindIsNumber) {
  TExchangeParts parts = SplitExchangeParts(exchange);
  std::string& part = firstKindIsNumber ? parts.Part2 : parts.Part3;
  size_t b = 0, e = part.size();
  while (b < e && part[b] == ' ') ++b;
  while (e > b && part[e - 1] == ' ') --e;
  part = PadExchangeNumber(std::string_view(part).substr(b, e - b));
  return JoinExchangeParts(parts);
}

}  // namespace

std::string NormalizeFourthField(std::string_view text) {
  std::string s(text);
  if (s.find('/') == std::string::npos) {
    if (size_t i = s.find('-'); i != std::string::npos) s[i] = '/';
  }
  if (s.find('/') == std::string::npos) {
    if (size_t i = s.find('+'); i != std::string::npos) s[i] = '/';
  }
  const size_t d = s.find_first_of("0123456789");
  if (d == 0)
    s.insert(0, "/");
  else if (d != std::string::npos && s[d - 1] != '/')
    s.insert(d, "/");
  return s;
}

namespace {

// Why the last write of the log failed, as the save tells it.
TSaveFailure LastFailure() {
  if (DriverResult == drFileGone || DriverResult == drFileReplaced) return TSaveFailure::FileLost;
  if (DriverResult == drDamaged) return TSaveFailure::Damaged;
  return DriverClassOf(DriverResult) == TDriverClass::LockRefused ? TSaveFailure::LockRefused : TSaveFailure::Other;
}

}  // namespace

TSaveFailure AddQso(TdbContestBase& table, const TNextNumbers& next) {
  TContestQsoRecord q;
  table.GetQsoRecord(q);
  uint8_t* p = q.data();
  rec::SetInt32(p, qrec::kWagNummer, next.QsoNumber);
  rec::SetInt32(p, qrec::kWagBandNr, next.BandNumber);
  rec::SetUInt16(p, qrec::kModeNr, static_cast<uint16_t>(next.ModeNumber));
  rec::SetInt32(p, qrec::kWagBandNrIntern, next.BandNumberIntern);
  rec::SetChar(p, qrec::kQSLs, next.QslSent);
  for (int attempt = 0;; ++attempt) {
    table.SetQsoRecord(q);
    if (table.Add()) return TSaveFailure::None;
    // Only a taken moment moves the time: a refused lock has been through
    // the lock question already, and another second would not help.
    if (DriverResult != drDuplicateKey) return LastFailure();
    if (attempt == kAddMovesAtMost) return TSaveFailure::TimeTaken;
    const int32_t zeit = rec::GetInt32(p, qrec::kZeit);
    const int32_t later = ToDates.IncTime(zeit, 0, 0, 1);
    rec::SetInt32(p, qrec::kZeit, later);
    if (later < zeit) rec::SetInt32(p, qrec::kDatum, rec::GetInt32(p, qrec::kDatum) + 1);
  }
}

void PadExchangeNumbers(const TContestRec& contest, TContestQsoRecord& qso) {
  auto numbered = [](ExchangeKind k) { return IsNumberKind(k); };
  if (numbered(contest.SentKinds[0]) || numbered(contest.SentKinds[1]))
    TContestFkt::SetSentExchange(PadNumberPart(TContestFkt::GetSentExchange(qso), numbered(contest.SentKinds[0])),
                                 qso);
  if (numbered(contest.ReceivedKinds[0]) || numbered(contest.ReceivedKinds[1]))
    TContestFkt::SetReceivedExchange(
        PadNumberPart(TContestFkt::GetReceivedExchange(qso), numbered(contest.ReceivedKinds[0])), qso);
}

TSaveResult SaveQso(const TContestRec& contest, const TdbContestBase& contestListTable, TdbContestBase& qsoTable,
                    const TNextNumbers& next, TDokAreaCheck* areaCheck) {
  TSaveResult res;
  TContestQsoRecord entry;
  qsoTable.GetQsoRecord(entry);
  auto fail = [&](TSaveFailure why) {
    res.Failure = why;
    qsoTable.SetQsoRecord(entry);
    return res;
  };
  // The add and the rewrite with points and numbers are one transaction: a
  // station that dies between them must not leave a QSO without its points.
  if (!qsoTable.BeginTransaction()) return fail(LastFailure());
  // A failed add leaves the table on some other record: nothing may be
  // rewritten then.
  const TSaveFailure added = AddQso(qsoTable, next);
  if (added != TSaveFailure::None) {
    qsoTable.RollbackTransaction();
    return fail(added);
  }
  const int32_t points = QsoPoints(contest, contestListTable, qsoTable, areaCheck);
  TContestQsoRecord q;
  qsoTable.GetQsoRecord(q);
  rec::SetUInt16(q.data(), qrec::kPunkte, static_cast<uint16_t>(points));
  PadExchangeNumbers(contest, q);
  qsoTable.SetQsoRecord(q);
  if (!qsoTable.Update() || !qsoTable.CommitTransaction()) {
    const TSaveFailure why = LastFailure();
    qsoTable.RollbackTransaction();
    return fail(why);
  }
  res.Added = true;
  res.Points = points;
  res.Counted = rec::GetByte(q.data(), qrec::kQsoMarker) == 0;
  return res;
}

void UpdateCallBook(const TContestQsoRecord& qso, char contestLetter, const TCallBookInput& input) {
  const uint8_t* p = qso.data();
  const std::string call = rec::GetStr(p, qrec::kCall, qrec::kCallCap);
  if (call.size() <= 2) return;
  // What this QSO tells of the station; a station it tells nothing of gets
  // no empty entry (and the save no further write to the disk).
  const bool dok = contestLetter != '4' && !rec::GetStrView(p, qrec::kDOK1, qrec::kDOK1Cap).empty();
  const TCallBookNumber club = CallBookNumberOf(contestLetter);
  const bool dig = club == TCallBookNumber::Dig && !input.Field2.empty();
  const bool agcw = club == TCallBookNumber::Agcw && !input.Field3.empty();
  const bool mf = contestLetter == 'i' && input.Field2.size() >= 2 && input.Field2[1] == 'M';
  const bool name = input.NameEnabled && !input.Name.empty();
  const bool qth = input.QthEnabled && !input.Qth.empty();
  if (!dok && !dig && !agcw && !mf && !name && !qth) return;

  TdbCall book(kCallBook, false, 0);
  if (!book.IsOpen()) return;
  // The entry is added and filled in one transaction: one write to the
  // disk per save, and a failure leaves the call book as it was.
  if (!book.BeginTransaction()) return;
  bool ok = true;
  const std::string home = HomeCallOf(call);
  if (!book.FindCall(home)) {
    book.ClearRecord();
    book.SetCall(home);
    ok = book.Add();
  }
  if (dok) book.SetDOK(qrec::GetDok(p));
  if (dig) book.SetDIG(input.Field2);
  if (agcw) book.SetAGCW(input.Field3);
  if (mf) book.SetMF(input.Field2.substr(2));
  if (name) book.SetName(input.Name);
  if (qth) book.SetQTH(input.Qth);
  if (ok) ok = book.Update();
  if (!ok || !book.CommitTransaction()) book.RollbackTransaction();
}
