#pragma once
// What the log window holds and shows, free of any widget: the texts of its
// entry fields, the value labels and flags around them, and the state the
// entry, the clock, the score and the save share. The form copies its
// widgets into TEntryFields before an operation and shows TEntryView after
// it; every rule works on these structs, the entry record and the tables.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "logentry/rules/multipliers.h"
#include "logentry/rules/score.h"

// Colours the window sets at run time ($00BBGGRR).
namespace LogColour {
constexpr int32_t Navy = 0x800000;      // value labels, entry-mode header, frequency in band plan
constexpr int32_t Teal = 0x808000;      // caption labels
constexpr int32_t Red = 0x0000FF;       // focused caption, list-mode header, warnings
constexpr int32_t Blue = 0xFF0000;      // the beam label
constexpr int32_t Grey = 0x808080;      // empty multiplier markers
constexpr int32_t Green = 0x008000;     // multiplier worked before
constexpr int32_t Silver = 0xC0C0C0;    // score columns
constexpr int32_t Yellow = 0x00FFFF;    // score column of the current band
constexpr int32_t EntryPanel = static_cast<int32_t>(0x8000000F);  // system button face
}  // namespace LogColour

// Index of an exchange edit in TEntryFields::RSTs / RSTr: part 1 (the RST)
// is 0, received exchange field 1 (eRSTr2) is 1 and so on.
inline constexpr int kExchangeEdits = 4;

// The texts of the entry edits, as typed.
struct TEntryFields {
  std::string Call;   // eCall
  std::string Call2;  // eCall2
  std::array<std::string, kExchangeEdits> RSTs;  // eRSTs1..eRSTs4
  std::array<std::string, kExchangeEdits> RSTr;  // eRSTr1..eRSTr4
  std::string Name;   // eName
  std::string QTH;    // eQTH
  std::string Freq;   // eFreq, MHz with a decimal comma
  std::string Datum;  // eDatum "dd.mm.yyyy"
  std::string Zeit;   // ezeit "hh:mm:ss"
  std::string Mode;   // emode, the free mode text
};

// Which entry edit has the keyboard focus (for the warnings that only the
// field being left may raise).
enum class TEntryFocus { None, Call, Call2, RSTs, RSTr, Name, QTH, Freq, Datum, Zeit, Mode };
struct TEntryFocusAt {
  TEntryFocus Field = TEntryFocus::None;
  int Index = 0;  // for RSTs / RSTr: 0..3
};

// Everything the entry panel shows that changes while the window runs; where
// the controls sit is the shape of the contest (contlogsetup).
struct TEntryView {
  TEntryFields Fields;
  // Value labels (Tag 97).
  std::string lCall, lMode, lband, lDatum, lZeit;
  std::string lRSTs1, lRSTs2, lRSTr1, lRSTr2;
  std::string lcallname;
  std::string lbeam;
  bool BeamVisible = false;  // lebeam and lbeam
  // The partner line: "QSO-Partner", or "SCHON GEARBEITET" in red.
  std::string lqsopartner = "QSO-Partner";
  int32_t PartnerColour = LogColour::Teal;
  bool PartnerVisible = true;
  bool CallNameVisible = false;
  // Edits whose visibility changes while the window runs: received exchange
  // fields 1..3 (eRSTr2..eRSTr4; in a listener log also eRSTs2..eRSTs4),
  // which a DOK field hides for stations that give no DOK, and emode.
  std::array<bool, 3> ExchangeShown{true, true, true};
  bool ModeEditVisible = false;  // emode over lMode
  // "&QSL senden: ja" / "&QSL senden: nein".
  std::string lQSLs;
  // eFreq's font colour: navy inside the band plan, red outside.
  int32_t FreqColour = LogColour::Navy;
  // Headline over the fields, the evaluation panel and the multiplier markers.
  THeadline Headline;
  TScoreView Score;
  std::vector<TMultiEntry> Multis;
  // The form moves the focus to eCall and colours its caption red.
  bool FocusCall = false;
};

// The window's state shared by entry, clock, score and save.
struct TLogWindowState {
  char CurrentBand = 0;
  std::string CurrentBandName;
  char PreviousBand = 0;  // a band the next new entry switches to; 0 = none
  std::string CurrentMode;
  int32_t LastDate = -1;  // date and time of the last saved QSO; -1 = none
  int32_t LastTime = -1;
  int32_t NextQsoNumber = 1;
  int32_t NextBandNumber = 1;
  int32_t NextBandNumberIntern = 1;
  int32_t NextModeNumber = 1;
  bool AutoTime = false;
  char QslSent = 0;
  bool KeepEntry = false;
  std::string DefaultName, DefaultQth;  // at most 20 characters each
  float LastFrequency = 0.0F;
  std::string LastDxcc;
  std::string LastCheckedCall;
  // The callsign as typed and cleaned, whole: the entry record holds only
  // its first 12 characters, and a longer call must stay in the field as
  // typed until the operator mends it (the save refuses it).
  std::string TypedCall;
  // Set by Enter in an entry edit until the exit processing of that field ends.
  bool SaveOnExit = false;
  // The window writes the fields itself: the change handlers do nothing.
  bool ShowingEntry = false;
  bool ShowingExchange = false;
  // eName copies itself into a name exchange field.
  bool CopyingName = false;
  bool LargeFontMode = false;
};
