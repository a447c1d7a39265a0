#pragma once
// The message dialog of the program: picture top left, bold header, the
// message text, and a button strip along the bottom. The five kinds of
// message (question, notice, warning, error, error with help) share this one
// form and differ in title, header, picture and buttons. A short message
// gives a compact box, a long one a box of bounded width with wrapped text.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <string>

#include "ui/kxPanel.h"
#include "ui/kxform.h"

class TkxBitBtn;

// What the sizing rule needs to know, at the designed positions.
struct TMessageMeasure {
  double fontSize = 9;  // points
  int labelLeft = 128;
  int labelTop = 48;
  int textWidth = 0;      // unwrapped width of the text
  int textHeight = 0;     // unwrapped height (every line break starts a line)
  int lineBreaks = 0;     // line breaks in the text
  int wrappedHeight = 0;  // height the text needs wrapped at MessageWrapWidth
  int imageBottom = 16 + 64;
  int panel2Height = 66;
};

struct TMessageLayout {
  bool wrapped = false;
  int labelWidth = 0, labelHeight = 0;
  int clientWidth = 0, clientHeight = 0;
};

// The width of the wrapped text column at a font size.
int MessageWrapWidth(double fontSize);
// The window size for a message: at least 320 f wide; wider than 600 f the
// text wraps into a column of 580 f. The label is never smaller than what
// the text needs, so no text is ever cut.
TMessageLayout ComputeMessageLayout(const TMessageMeasure& m);

// Counts the line breaks of program text: CR, or LF without a CR before it.
int CountLineBreaks(const std::string& text);

// The kinds of message, one for each operation of ToMessages (the notice
// with "&Weiter" is a notice with `Weiter` set).
enum class TMessageKind { JaNeinFrage, Hinweis, Achtung, Fehler, FehlerInfo };

// What a message shows, and what the user chose; a kind reads only its own
// fields, and an empty string counts as not given.
struct TMessageWinRec {
  std::string Caption{}, Header{}, Text{};
  bool DefaultYes = false;    // question: Enter answers Ja
  bool Weiter = false;        // notice: "&Weiter" instead of "&Schließen"
  bool ShowCheckbox = false;  // notice: "Meldung nicht mehr anzeigen" shown
  std::string ButtonCaption{};  // error with help: the help button's caption
  std::string Target{};         // error with help: what the help button opens
  bool Checked = false;       // result: the notice's check box
};

class TkxMessageForm : public TkxForm {
  Q_OBJECT
 public:
  explicit TkxMessageForm(TMessageKind kind);

  TkxPanel* Panel1;
  TkxPanel* Panel2;
  QFrame* Bevel1;
  QLabel* Image1;
  QLabel* Label1;
  QLabel* Label2;
  TkxBitBtn* kxBitBtn1;
  TkxBitBtn* kxBitBtn2 = nullptr;  // question: Nein; error with help: the help button
  QCheckBox* ccheck = nullptr;     // notice only
  bool ScaleFlag = false;

  // Fills the form from the record and sizes it to the text.
  void ShowData(const TMessageWinRec& rec);
  // Reads back what the user chose into the record.
  void ReadResult(TMessageWinRec& rec) const;
  TMessageKind Kind() const { return kind_; }
  const std::string& Target() const { return target_; }

  // The layout the last sizing produced.
  const TMessageLayout& LastLayout() const { return layout_; }

 private:
  // Creation hook of the message form: the place of the common look.
  void FormCreate();
  void SetCaptionText(const std::string& caption);
  void SetHeader(const std::string& header);
  void SetText(const std::string& text);
  void CreateButtons();
  void CreateCheckBox();
  // Applies the sizing rule to the current text and places the buttons.
  void SizeToText();
  // Places the buttons on Panel2 (its client width given).
  void Panel2Resize(int clientWidth);
  // The width the button strip needs beyond the rule (0: none).
  int ButtonStripWidth() const;
  // Opens the target and leaves the dialog open.
  void kxBitBtn2Click();

  TMessageKind kind_;
  std::string text_;
  std::string target_;
  TMessageLayout layout_;
};
