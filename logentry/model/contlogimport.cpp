// QSOs read from another log: each goes through the entry as a typed QSO
// does, on its own band and in its own mode, and the window is back where
// it was when the import ends.
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/baender.h"
#include "logentry/model/contlogmodel.h"

namespace {

// The window's band and mode while an import moves them; put back when the
// import ends, also when it ends by an exception.
class TImportPlace {
 public:
  explicit TImportPlace(TContestLogModel& model)
      : model_(model),
        band_(model.State.CurrentBand),
        bandName_(model.State.CurrentBandName),
        mode_(model.State.CurrentMode) {}
  ~TImportPlace() {
    // The last QSO's tentative multipliers leave the counters and lists.
    model_.WithdrawEntryMultis();
    model_.State.CurrentBand = band_;
    model_.State.CurrentBandName = bandName_;
    model_.State.CurrentMode = mode_;
  }
  TImportPlace(const TImportPlace&) = delete;
  TImportPlace& operator=(const TImportPlace&) = delete;

 private:
  TContestLogModel& model_;
  char band_;
  std::string bandName_;
  std::string mode_;
};

}  // namespace

void TContestLogModel::PrepareImportedQso(TContestQsoRecord& qso) {
  if (!qsoTable_) return;
  uint8_t* p = qso.data();
  // The user would switch the window to the QSO's band and mode before
  // typing it: the band's rules (its default frequency among them) are
  // those of the QSO, not of the band the window happens to be on.
  const char band = rec::GetChar(p, qrec::kBandcode);
  if (band != 0 && band != ' ') {
    State.CurrentBand = band;
    State.CurrentBandName = ToBaender.BandName(band);
  }
  const std::string mode = rec::GetStr(p, qrec::kMode, qrec::kModeCap);
  if (!mode.empty()) State.CurrentMode = ToStrings.LeftStr(mode, 6);

  const std::string nameQth = rec::GetStr(p, qrec::kNameQth, qrec::kNameQthCap);
  const float frequency = rec::GetFloat(p, qrec::kFrequenz);
  SetEntryRecord(qso);
  ShowEntry();
  GatherEntry(View.Fields, {}, false);
  // The file's name and QTH stay, whether or not the window's name row
  // shows, and so does its frequency, of which the field shows four decimals.
  TContestQsoRecord gathered = EntryRecord();
  rec::SetStr(gathered.data(), qrec::kNameQth, qrec::kNameQthCap, nameQth);
  rec::SetFloat(gathered.data(), qrec::kFrequenz, frequency);
  SetEntryRecord(gathered);
  LookupPrefix();
  RecountEntry();
  qso = EntryRecord();
}

TAdifEntryDefaults TContestLogModel::ImportDefaults(const std::string& mode, const std::string& freq) {
  TAdifEntryDefaults d;
  d.Mode = mode;
  d.Freq = freq;
  d.ModeEditShown = View.ModeEditVisible;
  d.SentNumberShown = SentNumberShown();
  // The import adds a QSO right after preparing it: the fields still show
  // that QSO, as the save finds them, but for name and QTH: where the record
  // has none, they show the defaults of an entry, the previous record's.
  // The call book gets the record's own, and nothing from a record without.
  d.Stored = [this](const TContestQsoRecord& stored) -> std::function<void()> {
    TEntryFields fields = View.Fields;
    fields.Name = qrec::GetName(stored.data());
    fields.QTH = qrec::GetQth(stored.data());
    return [this, stored, fields] { RecordStation(stored, fields); };
  };
  return d;
}

void TContestLogModel::RunImport(const std::function<void(const TQsoPreparation&)>& import) {
  if (!import) return;
  // The panel of multipliers and score shows the window as the import leaves
  // it, once, not every record on the way.
  struct THeldPanel {
    explicit THeldPanel(TContestLogModel& m) : model(m) { model.panelHeld_ = true; }
    ~THeldPanel() {
      model.panelHeld_ = false;
      if (model.panelPending_) model.ShowMultiPanel();
    }
    THeldPanel(const THeldPanel&) = delete;
    THeldPanel& operator=(const THeldPanel&) = delete;
    TContestLogModel& model;
  };
  const THeldPanel held(*this);
  const TImportPlace place(*this);
  import([this](TContestQsoRecord& qso) { PrepareImportedQso(qso); });
}
