#pragma once
// The common design and sizing rule of the five message dialogs: picture top
// left, bold header, the message text, and a button strip along the bottom.
// A short message gives a compact box, a long one a box of bounded width
// with wrapped text.
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

class TkxMessageForm : public TkxForm {
  Q_OBJECT
 public:
  TkxMessageForm(const char* title, const char* header, const char* picture);

  TkxPanel* Panel1;
  TkxPanel* Panel2;
  QFrame* Bevel1;
  QLabel* Image1;
  QLabel* Label1;
  QLabel* Label2;
  bool ScaleFlag = false;

  // The layout the last sizing produced.
  const TMessageLayout& LastLayout() const { return layout_; }

 protected:
  // Creation hook of the message forms: the place of the common look.
  void FormCreate();
  void SetCaptionText(const std::string& caption);
  void SetHeader(const std::string& header);
  void SetText(const std::string& text);
  // Applies the sizing rule to the current text and places the buttons.
  void SizeToText();
  TkxBitBtn* NewButton(int left, int top, int width);
  // Places the buttons on Panel2 (its client width given).
  virtual void Panel2Resize(int clientWidth) = 0;
  // The width the button strip needs beyond the rule (0: none).
  virtual int ButtonStripWidth() const { return 0; }

 private:
  std::string text_;
  TMessageLayout layout_;
};
