#pragma once
// TPrefAuswahl: the dialog in which the user picks one of several DXCC
// candidates of a prefix. Each candidate is one line of a list (number,
// DXCC, CQ and ITU zone, country, remark); a click marks a line, a double
// click, "Übernehmen" or Enter on a marked line takes it; the arrow keys
// move the mark; Escape cancels.
//
// The decision itself (when to ask at all, which record the table takes)
// is TDxccChoice's; this unit only asks.
#include <QLabel>
#include <QLineEdit>
#include <vector>

#include "prefix/prefauswlogic.h"
#include "ui/kxPanel.h"
#include "ui/kxform.h"

class TkxBitBtn;

class TPrefAuswahl : public TkxForm {
  Q_OBJECT
 public:
  explicit TPrefAuswahl(const TDxccChoiceRequest& request, QWidget* parent = nullptr);

  QLabel* Label1 = nullptr;
  QLabel* Label3 = nullptr;
  TkxPanel* Panel1 = nullptr;
  QLabel* ltext1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* lQSO1 = nullptr;
  QLabel* lQSO2 = nullptr;
  QLabel* ltext3 = nullptr;
  TkxPanel* ptab = nullptr;
  QLineEdit* Edit1 = nullptr;
  TkxBitBtn* btnEndezq4 = nullptr;
  TkxBitBtn* btnabbruchzq4 = nullptr;

  // The marked candidate line (its row number), 0 when none.
  int32_t MarkedRow() const { return marked_; }
  // The row taken when the form closed with OK, else 0.
  int32_t ChosenRow() const { return chosen_; }
  int LineHeight() const { return lineHeight_; }
  // Line 0 is the header, line k the candidate with row number k.
  const std::vector<TkxPanel*>& Lines() const { return lines_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowQsoTexts(const TDxccChoiceRequest& request);
  void BuildList(const std::vector<TDxccCandidateRow>& rows);
  TkxPanel* AddLine(const std::vector<std::string>& cells, int32_t tag);
  void PlaceButtons();
  void MarkLine(int32_t row);
  void ChooseLine(int32_t row);
  void btnEndezq3Click();
  void MoveMark(int step);

  std::vector<TkxPanel*> lines_;
  int lineHeight_ = 0;
  int32_t marked_ = 0;
  int32_t chosen_ = 0;
};

// Asks through TPrefAuswahl, placed where the user left it last time in
// this project.
class TDxccChoiceDialog : public TDxccAsker {
 public:
  int32_t AskDxccRow(const TDxccChoiceRequest& request) override;
};

// Makes the resolution of callsigns ask through the choice dialog; called
// once at program start.
void InstallDxccChoiceDialog();
