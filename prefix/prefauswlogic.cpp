#include "prefix/prefauswlogic.h"

#include <limits>

#include "database/dbProject.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "hamradio/prefixe.h"

namespace {

constexpr size_t kRowTextCap = 50;
constexpr size_t kWholeCallLength = 14;
constexpr size_t kPrefixLength = 6;
// Calls of up to three characters are too short to stand as an exception of their own.
constexpr size_t kShortestStoredCall = 4;

std::string RowText(const std::string& s) { return s.substr(0, kRowTextCap); }

// True when the resolved candidate does not apply at the date.
bool DeletedAt(const TdbPrefix& candidate, int32_t date) {
  const int32_t until = candidate.GetValidUntil();
  return (until > 0 && until < date) || (candidate.GetValidFrom() > date && date >= 1);
}

bool SameChoice(const TDxccCandidateRow& a, const TDxccCandidateRow& b) {
  return a.Dxcc == b.Dxcc && a.Country == b.Country && a.Waz == b.Waz && a.Itu == b.Itu;
}

// Walks the candidates of a prefix in key-3 order from a menu entry. The
// step resyncs the walker, because resolving a candidate moves the shared
// table driver elsewhere.
template <typename Visit>
void WalkCandidates(uint8_t mode, std::string_view prefix, std::string_view fromEntry, int limit,
                    Visit visit) {
  TdbPrefix walker(kPrefixMain, mode);
  int count = 0;
  for (bool ok = walker.SearchPrefixMenue(prefix, fromEntry);
       ok && walker.GetPrefix() == prefix && count < limit; ok = walker.Next(true)) {
    ++count;
    if (!visit(walker, count)) return;
  }
}

}  // namespace

bool TDxccCandidateRow::Valid() const { return ChoiceText.find("(deleted)") == std::string::npos; }

std::vector<TDxccCandidateRow> ReadDxccCandidates(std::string_view prefix, int32_t date,
                                                  uint8_t mode) {
  if (date < 1) date = ToDates.TodayUTC();
  std::vector<TDxccCandidateRow> rows;
  WalkCandidates(mode, prefix, "1", kMaxDxccCandidates, [&](TdbPrefix& walker, int nr) {
    TdbPrefix candidate(kPrefixMain, mode);
    walker.CopyMainRecordTo(candidate);
    candidate.ResolveCurrentEntity(date);
    TDxccCandidateRow row;
    row.Nr = nr;
    row.Dxcc = RowText(candidate.GetDXCC());
    row.Country = RowText(candidate.GetCountry());
    row.Waz = RowText(candidate.GetWAZ());
    row.Itu = RowText(candidate.GetITU());
    row.ChoiceText = candidate.GetChoiceText();
    if (DeletedAt(candidate, date)) row.ChoiceText += "  (deleted)";
    row.ChoiceText = RowText(row.ChoiceText);
    rows.push_back(std::move(row));
    return true;
  });
  return rows;
}

int CountDxccChoices(const std::vector<TDxccCandidateRow>& rows, bool dateDefaulted) {
  int withDxcc = 0;
  for (const TDxccCandidateRow& r : rows)
    if (!r.Dxcc.empty()) ++withDxcc;
  int choices = 0;
  const TDxccCandidateRow* first = nullptr;
  for (const TDxccCandidateRow& r : rows) {
    if (!r.Valid()) continue;
    if (first == nullptr) {
      first = &r;
      ++choices;
    } else if (!SameChoice(r, *first)) {
      ++choices;
    }
  }
  if (dateDefaulted && withDxcc > choices) choices = withDxcc;
  return choices;
}

bool FetchDxccCandidate(TdbPrefix& holder, std::string_view prefix, int32_t nr, int32_t date) {
  if (nr < 1) return false;
  bool found = false;
  WalkCandidates(holder.Mode(), prefix, "1", kMaxDxccCandidates, [&](TdbPrefix& walker, int count) {
    if (count != nr) return true;
    walker.CopyMainRecordTo(holder);
    found = true;
    return false;
  });
  if (found) holder.ResolveCurrentEntity(date < 1 ? ToDates.TodayUTC() : date);
  return found;
}

bool LoadDxccDialogPosition(int32_t& left, int32_t& top) {
  TdbProject* project = ToProjecte.ProjectTable();
  if (project == nullptr || project->GetDxccDialogLeft() <= 0) return false;
  left = project->GetDxccDialogLeft();
  top = project->GetDxccDialogTop();
  return true;
}

void StoreDxccDialogPosition(int32_t left, int32_t top) {
  TdbProject* project = ToProjecte.ProjectTable();
  if (project == nullptr) return;
  project->SetDxccDialogLeft(left);
  project->SetDxccDialogTop(top);
  project->Update();
}

bool TDxccChoice::TakeStoredDxcc(TdbPrefix& table, std::string_view prefix, std::string_view dxcc,
                                 int32_t date) {
  if (table.FindDxccPrefix(dxcc, prefix)) return true;
  // A candidate may stand for the stored entity only through its Link,
  // DXCC2 or alias at the QSO date.
  bool taken = false;
  // Every candidate counts here (the prefix bounds the walk), "-" included.
  WalkCandidates(table.Mode(), prefix, "", std::numeric_limits<int>::max(),
                 [&](TdbPrefix& walker, int) {
                   std::string current;
                   walker.CurrentEntityDxcc(date, current);
                   if (current != dxcc) return true;
                   walker.CopyMainRecordTo(table);
                   taken = true;
                   return false;
                 });
  return taken;
}

bool TDxccChoice::TakeFirstValid(TdbPrefix& table, const TDxccChoiceRequest& request) {
  for (const TDxccCandidateRow& r : request.Rows) {
    if (!r.Valid()) continue;
    TdbPrefix holder(kPrefixMain, table.Mode());
    if (!FetchDxccCandidate(holder, request.Prefix, r.Nr, request.Date)) return false;
    holder.CopyMainRecordTo(table);
    return true;
  }
  return false;
}

void TDxccChoice::StoreCallException(const TdbPrefix& table, std::string_view call) {
  const std::string c = ToStrings.UpperCase(ToStrings.Trim(call)).substr(0, kWholeCallLength);
  TdbPrefix ee(kPrefixEE, table.Mode());
  if (ee.GetTreiber() == nullptr || ee.FindPrefixExact(c)) return;
  TPrefixRecord r{};
  table.GetRecord(r.data());
  ee.PutRecord(r.data());
  ee.SetPrefix(c.substr(0, kPrefixLength));
  ee.SetPrefixZus(c.size() > kPrefixLength ? c.substr(kPrefixLength) : std::string());
  ee.Add();
}

uint8_t TDxccChoice::ChooseDxccEntry(TdbPrefix& table, const TDxccQsoTexts& qso, int32_t date,
                                     bool dateDefaulted) {
  const std::string prefix = table.GetPrefix();
  if (date < 1) date = ToDates.TodayUTC();

  if (!qso.Dxcc.empty() && TakeStoredDxcc(table, prefix, qso.Dxcc, date)) return 1;

  if (ToPrefix.AskDxccChoice == 0) {
    table.PositionOnDefaultCandidate(prefix);
    return 0;
  }

  TDxccChoiceRequest request;
  request.Prefix = prefix;
  request.Qso = qso;
  request.Date = date;
  request.Rows = ReadDxccCandidates(prefix, date, table.Mode());

  uint8_t result = 0;
  bool asked = false;
  const int choices = CountDxccChoices(request.Rows, dateDefaulted);
  if (choices == 1) {
    result = TakeFirstValid(table, request) ? 1 : 0;
  } else if (choices > 1 && asker_ != nullptr) {
    asked = true;
    const int32_t nr = asker_->AskDxccRow(request);
    TdbPrefix holder(kPrefixMain, table.Mode());
    if (nr > 0 && FetchDxccCandidate(holder, prefix, nr, date)) {
      holder.CopyMainRecordTo(table);
      result = 1;
    }
  }

  if (result == 0) {
    table.ClearRecord();
  } else if (asked && ToStrings.Trim(qso.Call).size() >= kShortestStoredCall) {
    StoreCallException(table, qso.Call);
  }
  return result;
}
