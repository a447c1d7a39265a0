#pragma once
// Alignment of controls: a control stacked along an edge of its
// parent or filling what is left, kept in place when the parent is resized.
#include <QWidget>

// How a control sits in its parent, kept up to date whenever the parent is
// resized: stacked along the top or bottom edge, or filling the rest.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
void SetAlign(QWidget* control, TAlign align);
TAlign AlignOf(const QWidget* control);
// Places the aligned children of a parent now.
void Realign(QWidget* parent);
