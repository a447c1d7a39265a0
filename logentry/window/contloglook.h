#pragma once
// Widget routines of the log window that the companion carries for the
// window and its dialogs: the horizontal scaling of a panel's controls, the
// look of entry and list mode, and label colours.
#include <cstdint>

class QLabel;
class QWidget;

// Scales the left edge (and, for edits and panels, the width) of every
// child of container by factor, descending into panels and group boxes.
// Rounding is to nearest with halves to even.
void ScaleControlsHorizontally(QWidget* container, double factor);

// Entry mode (on) or list mode: the button bar's buttons enabled and the
// bottom panel's disabled, or the other way; the header navy or red with
// its caption.
void SetEntryModeLook(bool on, QWidget* panelButtons, QWidget* panelUnten, QWidget* header,
                      QLabel* caption, bool gridVisible);

// The font colour of a label ($00BBGGRR, system colours allowed).
void SetLabelColour(QLabel* label, int32_t colour);
// The background of a panel, filled.
void SetPanelColour(QWidget* panel, int32_t colour);

// The colour of the score panel: the configured one where the per-band
// values, in yellow and silver, can be read on it; else the navy of the
// log's header.
int32_t ScorePanelColour(int32_t configured);
