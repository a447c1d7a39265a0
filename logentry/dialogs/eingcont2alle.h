#pragma once
// The entry behaviour of the QSO edit dialog's fields: Enter moves on by tab
// order, a change of mode sets the tone digit of the reports, the frequency
// and the band list follow each other. One object for the whole program.
#include <cstdint>

class QComboBox;
class QWidget;
class TkxEdit;

// The tab order of a control of the dialog, kept as the dynamic property
// "TabOrder" (the forms number their controls as the user moves through them).
void SetTabOrderNumber(QWidget* control, int order);
int TabOrderNumber(const QWidget* control);

class Teingcont2alle {
 public:
  // Enter (key 13 or Qt's Return/Enter) moves the focus to the control with
  // the next tab order that can take it, after the last to the first; the
  // key is cleared then.
  void EnterToNextControl(QWidget* form, QWidget* sender, int& key);
  // The tone digit of both reports after a change of mode.
  void SetRstToneDigit(bool cw, TkxEdit* first, TkxEdit* second);
  // Brings the band list (items carry their band code as data) and the
  // frequency edit into step; guard stops the list's change handler from
  // answering. Returns the frequency written back.
  float SyncBandAndFrequency(QComboBox* band, TkxEdit* frequency, uint8_t& guard);
  // Selects the first ten characters of an edit.
  void SelectAllText(TkxEdit* edit);
};

extern Teingcont2alle eingcont2alle;

// Shows a frequency in MHz with four decimals and the decimal comma.
void ShowFrequency(TkxEdit* edit, double mhz);

// The band code an item of a band list carries (' ' when none).
char BandCodeOfItem(const QComboBox* band, int index);
