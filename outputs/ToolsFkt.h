#pragma once
// TToolsFkt: the small tool dialogs as the rest of the program calls them,
// the one-line text input and the text window, and the text window as the
// contest module's memo window on a text file.
#include <string>
#include <vector>

#include "contest/LogServices.h"

class QWidget;

class TToolsFkt {
 public:
  // The one-line input; on OK the typed value is returned in value.
  bool LineInput(const std::string& caption, const std::string& labelText,
                 const std::string& addressFile, std::string& value, QWidget* owner = nullptr);

  // The text window. lines (or none) are shown, a non-empty text replaces
  // them; with richFileName the window shows that file instead. On OK the
  // given lines receive the edited lines and text the edited text. The
  // bounds (or none) place the window and always receive its last place.
  bool Memo(const std::string& caption, std::vector<std::string>* lines, TMemoBounds* bounds,
            const std::string& mailAddress, bool print, bool save, bool mail,
            const std::string& richFileName, std::string& text, QWidget* owner = nullptr);
};

extern TToolsFkt ToolsFkt;

// The contest module's memo window on a text file (notes and contest rules):
// the file is shown with the save and mail buttons and, when the user
// confirms changed text with OK, written back to the file.
class TToolsMemoWindow : public TMemoWindow {
 public:
  void Memo(const std::string& caption, const TMemoBounds* bounds, const std::string& fileName,
            TMemoBounds& result, bool afterFirstLine) override;
};

// Registers the memo window with the contest module (called once at start).
void InstallToolsFkt();
