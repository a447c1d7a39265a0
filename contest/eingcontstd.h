#pragma once
// The contest set-up dialog: station, category and participant data of one
// contest log, its checks, the score panel and the output menu. The logic
// lives in TContestSetupLogic; the form shows it and hands it the inputs.
#include <QDialog>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "contest/eingcontstdlogic.h"

class TdbContest;
struct TContestRec;
class QWidget;
class QLabel;
class QGroupBox;
class QRadioButton;
class QCheckBox;
class QPushButton;
class QPlainTextEdit;
class QMenu;
class QButtonGroup;
class QVBoxLayout;
class TkxEdit;
class TkxDatum;

// Shows the set-up dialog of a contest log modally. recordExists: the
// contest list stands on the log's record (else a new log is created);
// editOnly: changes only, no start. description, when given, is the contest
// description the caller keeps (the contest-list controller's); it is
// refilled for the letter. Result: the reference of the contest-list record
// when the user started the contest ("Contest starten"), else 0.
int32_t RunContestSetupDialog(bool recordExists, bool editOnly, char letter,
                              TdbContest& contestTable, TdbContest& extraTable,
                              TContestRec* description = nullptr);

// Fills the contest module's set-up dialog entry (ContestEntries) with
// RunContestSetupDialog; the program's start calls it once.
void RegisterContestSetupDialog();

class TEingContestStd : public QDialog {
  Q_OBJECT
 public:
  TEingContestStd(bool recordExists, bool editOnly, char letter, TdbContest& contestTable,
                  TdbContest& extraTable, TContestRec& description, QWidget* parent = nullptr);
  ~TEingContestStd() override;

  TContestSetupLogic& Logic() { return logic_; }
  QMenu* OutputMenu() const { return druckwagpopup_; }

  // The save of the buttons: sender decides what happens at the end.
  void btnOKClick(TSetupSender sender);
  void btnDruckClick();
  void eteilnahmeartClick();
  void RunOutputKind(int kind);
  // Every way out but a start: a new log the user never confirmed goes again.
  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildContestBox(QVBoxLayout* left);
  void BuildParticipantBox(QVBoxLayout* left);
  void BuildContestExtras(QVBoxLayout* left);
  void BuildSettingsBoxes(QVBoxLayout* right);
  void BuildScoreBox();
  void BuildButtons(QVBoxLayout* main);
  void TightenSpacing(QVBoxLayout* main);
  void ConnectHandlers();
  void FitPeriodFields();
  void PlaceScorePanel();
  void CollectInputs();
  void ShowInputs();
  void ShowView();
  void ShowScore();
  void MarkControl(const std::string& name);
  void RestoreColour(QWidget* w);
  void UpperCaseEdit(TkxEdit* e);

  TContestSetupLogic logic_;
  TContestSetupInputs in_;
  TContestSetupView view_;
  std::map<QObject*, std::string> entered_;  // period field -> text at focus entry

  TkxEdit *eName, *eDatumvon, *eDatumbis, *eZeitvon, *eZeitbis;
  TkxEdit *eCall, *eDOK, *eSWL, *ecname, *eStrasse, *ePLZ, *eOrt, *eLand, *eLoc, *eEMail;
  TkxEdit *eQSLw, *eqslr, *eJahre, *egroupzusatz3;
  TkxDatum* edatum;
  QLabel *leDOK, *Label4, *Label15, *Label16, *lgroupzusatz3;
  QGroupBox *groupteilnahmeart, *grouputc, *GroupFrage, *groupZusatz, *GroupZusatz2;
  QGroupBox *groupzusatz3, *groupboxdatum, *GroupAuswertung;
  QWidget* eteilnahmeart;
  QButtonGroup* categoryButtons_;
  QRadioButton *rcw, *rssb, *rFM, *rPR, *rZeitOrt, *rZeitUTC, *eHMja, *eHMnein;
  QRadioButton *rZusatz21, *rZusatz22, *rZusatz23;
  QCheckBox *edatumauto, *ezeitauto, *eaktrsts, *eaktrstr, *eBandauto, *crstsnichtsperren;
  QCheckBox *cdoppelqso, *cPrefixmenue, *checkboxgroupzusatz3, *checkboxgroupzusatz3_2;
  QPlainTextEdit* memogroupzusatz3;
  QPushButton *btnregeln, *btnAbbruch, *btnOK, *btnHilfe, *btnstart, *btnDruck;
  QLabel *Label11, *Label24, *Label22, *lQSOtotal, *lMultitotal, *lpunktetotal, *lpunktegesamt;
  QLabel *lQSO[7], *leQSO[7], *lMulti[7], *leMulti[7], *lPunkte[7], *lePunkte[7];
  QMenu* druckwagpopup_;
  QVBoxLayout *leftColumn_, *rightColumn_;
};
