// The log window's entry edits: what typing, leaving a field, Enter and the
// mouse do. The rules are the model's and the entry routines'; this file
// hands the widgets' texts over and shows the result.
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>

#include "base/kxstrings.h"
#include "logentry/window/contloglook.h"
#include "logentry/window/contlogstd.h"

#include <algorithm>
#include "logentry/rules/entryroutines.h"
#include "platform/codec.h"
#include "ui/kxEdit.h"
#include "ui/kxgrafik.h"

namespace {

QString Q(const std::string& s) { return AnsiToQString(s); }
std::string A(const QString& s) { return QStringToAnsi(s); }

int32_t LabelColourOf(const QLabel* l) { return QColorToTColor(l->palette().color(QPalette::WindowText)); }

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

bool TContestLogStd::IsEntryEdit(QObject* o) const {
  auto* e = qobject_cast<TkxEdit*>(o);
  return e != nullptr && panelEingabe->isAncestorOf(e);
}

// Tab and Shift+Tab go round the entry fields that show: leaving them for
// the grid would switch to list mode and empty the QSO being typed.
bool TContestLogStd::focusNextPrevChild(bool next) {
  QWidget* f = focusWidget();
  if (IsEntryEdit(f)) {
    std::vector<QWidget*> ring;
    for (const std::string& name : model_.Shape().TabOrder)
      if (QWidget* w = Control(name); w != nullptr && w->isVisible() && w->isEnabled()) ring.push_back(w);
    const auto at = std::find(ring.begin(), ring.end(), f);
    if (at != ring.end()) {
      const auto n = static_cast<std::ptrdiff_t>(ring.size());
      const std::ptrdiff_t i = at - ring.begin();
      ring[static_cast<size_t>((i + (next ? 1 : n - 1)) % n)]->setFocus(next ? Qt::TabFocusReason
                                                                            : Qt::BacktabFocusReason);
      return true;
    }
  }
  return QDialog::focusNextPrevChild(next);
}

TEntryFocusAt TContestLogStd::FocusOf(const QWidget* w) const {
  if (w == eCall) return {TEntryFocus::Call, 0};
  if (w == eCall2) return {TEntryFocus::Call2, 0};
  for (int i = 0; i < 4; ++i) {
    if (w == eRSTs[static_cast<size_t>(i)]) return {TEntryFocus::RSTs, i};
    if (w == eRSTr[static_cast<size_t>(i)]) return {TEntryFocus::RSTr, i};
  }
  if (w == eName) return {TEntryFocus::Name, 0};
  if (w == eQTH) return {TEntryFocus::QTH, 0};
  if (w == eFreq) return {TEntryFocus::Freq, 0};
  if (w == eDatum) return {TEntryFocus::Datum, 0};
  if (w == ezeit) return {TEntryFocus::Zeit, 0};
  if (w == emode) return {TEntryFocus::Mode, 0};
  return {};
}

// ---------------------------------------------------------------------------
// Typing

void TContestLogStd::eCallChange() {
  if (model_.State.ShowingEntry) return;
  model_.CallChanged(ReadFields());
  ShowView(true);
}

void TContestLogStd::eNameChange() {
  if (model_.State.ShowingEntry || !model_.NameChanged(ReadFields())) return;
  // The copies are the name's own: the exchange handler leaves the default name alone.
  model_.State.CopyingName = true;
  for (size_t n = 1; n < 4; ++n)
    if (eRSTr[n]->GetText() != model_.View.Fields.RSTr[n]) eRSTr[n]->SetText(model_.View.Fields.RSTr[n]);
  model_.State.CopyingName = false;
}

void TContestLogStd::emodeChange() {
  if (!model_.State.ShowingEntry) model_.ModeEditChanged(emode->GetText());
}

bool TContestLogStd::ewagcallKeyPress(TkxEdit* edit, QKeyEvent* e) {
  const QString typed = e->text();
  if (typed.size() != 1 || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0) return false;
  const std::string key = A(typed);
  if (key.size() != 1 || static_cast<unsigned char>(key[0]) < ' ') return false;
  if (edit == eCall || edit == eCall2 || edit == emode) {
    TCallKeyInput in;
    in.Key = key[0];
    in.IsCallField = edit == eCall;
    in.EditSlashedZero = edit->SlashedZeros();
    in.SlashedZeroOption = SlashedZeroOption();
    in.Text = edit->GetText();
    const TCallKeyResult out = CallKeyPress(in);
    // A key that acts as Enter acts once while it is held: its repeats
    // neither mark the next call nor save it.
    if (out.PressEnter && e->isAutoRepeat()) return true;
    if (out.TextChanged) edit->SetText(out.Text);
    if (out.PressEnter) {
      eCallKeyDown(edit, Qt::Key_Return, Qt::NoModifier);
      return true;
    }
    if (out.Key != in.Key) {
      edit->insert(Q(std::string(1, out.Key)));
      return true;
    }
  }
  // Callsigns and exchange values are upper case; a name keeps its letters.
  const TEntryFocusAt at = FocusOf(edit);
  const bool exchange = at.Field == TEntryFocus::RSTs || at.Field == TEntryFocus::RSTr;
  if (exchange && at.Index >= 1) {
    const auto& kinds = model_.Contest().ReceivedKinds;
    if (kinds[static_cast<size_t>(at.Index - 1)] == ExchangeKind::Name) return false;
  }
  if (edit == eCall || edit == eCall2 || exchange) {
    const std::string upper = ToStrings.UpperCase(key);
    if (upper != key) {
      edit->insert(Q(upper));
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------------------
// Leaving a field and Enter

void TContestLogStd::eCallExit(TkxEdit* edit, bool saveNow) {
  const TExitResult r = model_.FieldExit(ReadFields(), FocusOf(edit), saveNow);
  // A refused duplicate clears the entry as the Clear button does.
  if (r.Cleared) HideLists();
  // A refused call keeps the keyboard for its mending, unless the operator
  // went on to the grid or the bottom panel: list mode gives the call up.
  QWidget* to = QApplication::focusWidget();
  if (r.Refused && to != nullptr && to != panelEingabe && !panelEingabe->isAncestorOf(to))
    model_.View.FocusCall = false;
  ShowView(true);
}

bool TContestLogStd::eCallKeyDown(TkxEdit* edit, int key, Qt::KeyboardModifiers modifiers) {
  model_.State.SaveOnExit = false;
  if (!IsEnter(key) || (modifiers & ~Qt::KeypadModifier) != 0) return false;
  model_.State.SaveOnExit = true;
  const std::string target = model_.EnterTarget(A(edit->objectName()));
  QWidget* next = target.empty() ? nullptr : Control(target);
  if (next != nullptr && next != edit) {
    next->setFocus(Qt::TabFocusReason);
    return true;
  }
  // The only field of the entry: Enter leaves it in place, so that the QSO
  // is checked and saved all the same.
  LeaveInPlace(edit, false);
  return true;
}

void TContestLogStd::LeaveInPlace(TkxEdit* edit, bool saveNow) {
  exitArmed_ = nullptr;
  eCallExit(edit, saveNow);
  if (QApplication::focusWidget() == edit) exitArmed_ = edit;
}

// F10 saves from any field; the field it is pressed in is left first as
// Enter leaves it, with its checks and warnings, so that a QSO saved by
// F10 is the one Enter would have saved.
void TContestLogStd::SaveFromFocusedField() {
  QWidget* focus = QApplication::focusWidget();
  if (!IsEntryEdit(focus)) {
    btnSpeichernClick();
    return;
  }
  model_.State.SaveOnExit = false;
  LeaveInPlace(static_cast<TkxEdit*>(focus), true);
}

// ---------------------------------------------------------------------------
// Caption colours

void TContestLogStd::ColourCaptions(
    const std::function<void(std::span<TCaptionLabel>, const std::vector<QWidget*>&, int active)>& rule) {
  std::vector<QLabel*> labels;
  std::vector<TCaptionLabel> state;
  std::vector<QWidget*> controls;
  auto id = [&controls](QWidget* w) {
    if (w == nullptr) return TCaptionLabel::kNoControl;
    for (size_t i = 0; i < controls.size(); ++i)
      if (controls[i] == w) return static_cast<int>(i);
    controls.push_back(w);
    return static_cast<int>(controls.size() - 1);
  };
  for (const auto& [name, w] : controls_) {
    auto* l = qobject_cast<QLabel*>(w);
    if (l == nullptr || l->buddy() == nullptr) continue;
    labels.push_back(l);
    state.push_back({l->property("Tag").toInt(), id(l->buddy()), LabelColourOf(l)});
  }
  const int active = id(QApplication::focusWidget());
  rule(state, controls, active);
  for (size_t i = 0; i < labels.size(); ++i)
    if (LabelColourOf(labels[i]) != state[i].FontColour) SetLabelColour(labels[i], state[i].FontColour);
}

void TContestLogStd::MarkFocusCaption(QWidget* edit) {
  ColourCaptions([edit](std::span<TCaptionLabel> labels, const std::vector<QWidget*>& controls, int active) {
    for (size_t i = 0; i < controls.size(); ++i)
      if (controls[i] == edit) MarkFocusLabel(labels, static_cast<int>(i), active);
  });
}

void TContestLogStd::eCallMouseMove(TkxEdit* edit) {
  ColourCaptions([edit](std::span<TCaptionLabel> labels, const std::vector<QWidget*>& controls, int active) {
    int at = TCaptionLabel::kNoControl;
    for (size_t i = 0; i < controls.size(); ++i)
      if (controls[i] == edit) at = static_cast<int>(i);
    if (at == TCaptionLabel::kNoControl)
      ResetLabelColours(labels, active);
    else
      HoverEditLabel(labels, at, active);
  });
}

void TContestLogStd::lerstsMouseMove(QLabel* label) {
  ColourCaptions([this, label](std::span<TCaptionLabel> labels, const std::vector<QWidget*>& controls, int active) {
    // The labels come in the order of the window's index.
    size_t at = labels.size();
    size_t i = 0;
    for (const auto& [name, w] : controls_) {
      auto* l = qobject_cast<QLabel*>(w);
      if (l == nullptr || l->buddy() == nullptr) continue;
      if (l == label) at = i;
      ++i;
    }
    (void)controls;
    HoverLabel(labels, at, active);
  });
}

// ---------------------------------------------------------------------------
// Events of the entry edits

bool TContestLogStd::EntryEvent(TkxEdit* edit, QEvent* e) {
  switch (e->type()) {
    case QEvent::FocusIn:
      // Back from list mode, which emptied the entry record: a new entry,
      // as a click on the panel prepares it, with the focus where the
      // operator put it.
      if (!entryMode_) Guarded([this] { PrepareEntryFromListMode(); });
      exitArmed_ = edit;
      lastEntryControl_ = edit;
      MarkFocusCaption(edit);
      return false;
    case QEvent::FocusOut: {
      if (edit != exitArmed_) return false;
      // Another window coming up (a message, the choice of a DXCC) is no
      // leaving of the field; the focus comes back to it.
      const auto reason = static_cast<QFocusEvent*>(e)->reason();
      QWidget* to = QApplication::focusWidget();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || to == nullptr ||
          to == edit || !isAncestorOf(to))
        return false;
      exitArmed_ = nullptr;
      Guarded([this, edit] { eCallExit(edit); });
      return false;
    }
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(e);
      bool handled = false;
      Guarded([&] {
        handled = RunKey(k->key(), k->modifiers());
        if (!handled) handled = eCallKeyDown(edit, k->key(), k->modifiers());
        if (!handled) handled = ewagcallKeyPress(edit, k);
      });
      if (handled) return true;
      // In contest 'i' the received exchange may hold blanks; elsewhere a blank is dropped.
      if (k->key() == Qt::Key_Space && model_.ContestLetter() != 'i')
        for (TkxEdit* r : eRSTr)
          if (edit == r) return true;
      return false;
    }
    case QEvent::Enter:
      Guarded([this, edit] { eCallMouseMove(edit); });
      return false;
    case QEvent::MouseButtonRelease:
      // A click into the RST takes all of it, ready to be typed over.
      if (edit == eRSTs[0] || edit == eRSTr[0]) edit->selectAll();
      return false;
    default:
      return false;
  }
}
