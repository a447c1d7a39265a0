#include "logentry/dialogs/DatenPrefixFkt.h"

#include <vector>

#include "base/kxstrings.h"
#include "logentry/dialogs/DatenPrefixBrowCtrl.h"
#include "logentry/dialogs/DatenPrefixListeCtrl.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "prefix/dbPrefix.h"
#include "prefix/dbPrefixDat.h"

TDatenPrefixFkt DatenPrefixFkt;

namespace {

constexpr const char* kSafetyHeader = "Sicherheitsabfrage";

int32_t RefOf(const QString& text) {
  bool ok = false;
  const int32_t ref = text.toInt(&ok);
  return ok ? ref : 0;
}

// What the user is told when entries could not be deleted.
std::string DeleteFailureText(qsizetype count, const std::vector<std::string>& failed) {
  std::string names;
  for (const std::string& f : failed) names += (names.empty() ? "" : ", ") + f;
  if (count == 1)
    return "Der Prefix " + names + (names.empty() ? "" : " ") + "konnte nicht gelöscht werden.";
  return "Die selektierten Einträge konnten nicht gelöscht werden" +
         (names.empty() ? std::string() : " (" + names + ")") + ". Es wurde nichts gelöscht.";
}

}  // namespace

bool TDatenPrefixFkt::ChangeRecord(int32_t, QWidget*) { return false; }
bool TDatenPrefixFkt::NewRecord(int32_t&, QWidget*) { return false; }

bool TDatenPrefixFkt::OpenFiles() { return ToDatPrefix.OpenTables(PrefixSetOf(kPrefixMain)); }

void TDatenPrefixFkt::CloseFiles() { ToDatPrefix.CloseTables(PrefixSetOf(kPrefixMain)); }

bool TDatenPrefixFkt::DeleteRecords(const QStringList& refs) {
  if (refs.isEmpty()) return false;
  TdbPrefix table(kPrefixMain);
  if (refs.size() > 1) {
    if (!ToMessages.JaNeinFrage("", kSafetyHeader, "alle selektierten Einträge löschen?", true))
      return false;
  } else {
    const std::string prefix = table.GotoRecord(RefOf(refs.front())) ? table.GetPrefix() : std::string();
    if (!ToMessages.JaNeinFrage("", kSafetyHeader, "Prefix " + prefix + " löschen?", true))
      return false;
  }
  // One transaction: either every entry goes or, when one cannot be
  // deleted (another station deleted it, the file refused), none does.
  std::vector<std::string> failed;
  bool done = table.BeginTransaction();
  if (done) {
    for (const QString& text : refs) {
      const int32_t ref = RefOf(text);
      const bool found = ref > 0 && table.GotoRecord(ref);
      const std::string prefix = found ? table.GetPrefix() : "(" + QStringToAnsi(text) + ")";
      if (!found || !table.Delete()) failed.push_back(prefix);
    }
    done = failed.empty() && table.CommitTransaction();
    if (!done) table.RollbackTransaction();
  }
  if (!done) ToMessages.Fehler(DeleteFailureText(refs.size(), failed));
  return true;
}

bool TDatenPrefixFkt::ChooseDxcc(std::string& dxcc, const std::string& startText,
                                 std::string& prefix, QWidget* owner) {
  dxcc.clear();
  prefix.clear();
  TDatenPrefixListeCtrl ctrl(owner, true, startText, kPrefixKeyDxcc, 0);
  if (!ctrl.Execute()) return false;
  TdbPrefix table(kPrefixMain);
  if (ctrl.ChosenRef < 1 || !table.GotoRecord(ctrl.ChosenRef)) return false;
  prefix = table.GetPrefix();
  dxcc = table.GetDXCC();
  return true;
}
