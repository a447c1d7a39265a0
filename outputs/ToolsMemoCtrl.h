#pragma once
// The text window "Notizen": shows lines or a text file, prints them, saves
// them as a file and mails the file. The controller holds the caller's
// values and does the work of the form's buttons; the form only shows.
#include <string>
#include <vector>

#include "contest/LogServices.h"

class QWidget;

struct TToolsMemoCtrlRec {
  std::string Caption;
  std::vector<std::string> Lines;
  std::string Text;
  bool PrintVisible = false;
  bool SaveVisible = false;
  bool MailVisible = false;
  std::string RichFileName;
  bool CursorAfterFirstLine = false;  // else the cursor starts at the text's start
};

// The question before edits of a text are dropped, as the file viewer and
// the text window ask it; true for "Ja": keep them.
bool AskKeepChanges(const std::string& name);

// Where a window goes for a bounds record: placed only when one is given
// and its bottom is at least 1.
struct TMemoPlacement {
  bool Place = false;
  int X = 0, Y = 0, Width = 0, Height = 0;
};
TMemoPlacement PlacementFromBounds(const TMemoBounds* bounds);
TMemoBounds BoundsFromGeometry(int x, int y, int width, int height);

// The lines of a text as a text editor holds it; a final line break opens
// no further line.
std::vector<std::string> TextToLines(const std::string& text);
// The lines as one text, every line ended by CR LF.
std::string LinesToText(const std::vector<std::string>& lines);

// The attachment path of a saved file: a name with a drive (":"), a network
// path ("//"), an absolute path or one that holds the current directory is
// taken as it is, a bare name gets the current directory in front.
std::string MailAttachmentPath(const std::string& fileName, const std::string& currentDir);

class TToolsMemoCtrl {
 public:
  TToolsMemoCtrl(QWidget* owner, const std::string& caption,
                 const std::vector<std::string>* lines, TMemoBounds* bounds,
                 const std::string& mailAddress, bool print, bool save, bool mail,
                 const std::string& richFileName, const std::string& text);

  TToolsMemoCtrlRec TransferRecord() const;
  // The cursor starts at the end of the first line, where a note's text
  // follows its stamp.
  void SetCursorAfterFirstLine(bool on) { cursorAfterFirstLine_ = on; }
  // Shows the window modally; true on OK, the lines and the text then hold
  // what the window showed. The bounds record receives the window's place
  // whatever the result.
  bool Execute();

  const std::vector<std::string>& Lines() const { return lines_; }
  const std::string& Text() const { return text_; }
  const std::string& MailAddress() const { return mailAddress_; }
  const std::string& SavedFileName() const { return savedFileName_; }
  const std::string& Caption() const { return caption_; }

  // The print button: the memo's lines go through the temporary file
  // "MEMO.TMP" (memoShown) or the shown file is printed as it is shown;
  // either way only after the print dialog was confirmed.
  void PrintLines(const std::vector<std::string>& lines, bool memoShown,
                  const std::string& fontName, int fontSize);
  // The save button; true when the lines were saved.
  bool SaveLines(QWidget* owner, const std::vector<std::string>& lines);
  // The mail button: saves the lines, asks how to send them and hands the
  // file to the mail program or opens a mail link.
  void MailLines(QWidget* owner, const std::vector<std::string>& lines);

  // The file the notes of "CFD-Datei" are kept in: own call + ".CFD".
  static std::string CfdFileName();
  // The temporary file the print button goes through.
  static std::string PrintFileName();

 private:
  bool IsCfd() const { return caption_ == "CFD-Datei"; }
  // Save dialog from the proposed name; true with the chosen name in fileName.
  bool AskFileName(QWidget* owner, std::string& fileName) const;
  bool Write(const std::string& fileName, const std::vector<std::string>& lines);

  QWidget* owner_;
  std::string caption_;
  bool print_, save_, mail_;
  std::string mailAddress_;
  std::string richFileName_;
  bool cursorAfterFirstLine_ = false;
  TMemoBounds* bounds_;
  std::vector<std::string> lines_;
  std::string text_;
  std::string savedFileName_;
};
