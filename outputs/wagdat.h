#pragma once
// The file viewer: a freshly written export file shown in an editor, where
// the user can still change it, print it or save it and close.
#include <string>

#include "ui/kxform.h"

class QPlainTextEdit;
class QWidget;
class TkxBitBtn;

class Twagdatei : public TkxForm {
  Q_OBJECT
 public:
  Twagdatei(QWidget* owner, const std::string& fileName);

  QPlainTextEdit* redit = nullptr;
  QWidget* Panel1 = nullptr;
  TkxBitBtn* btnDrucken = nullptr;
  TkxBitBtn* btnSpeichern = nullptr;

  const std::string& FileName() const { return fileName_; }

  // The close box (and Escape): edits are saved or dropped as the user says.
  void reject() override;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  // Escape closes the viewer as its close box does.
  void keyPressEvent(QKeyEvent* e) override;

 private:
  // The edited lines back into the file; false (reported) when it fails.
  bool SaveFile();
  void DruckenClick();
  void SpeichernClick();
  std::string fileName_;
};

// Shows the file in the viewer modally; true when it was closed with
// "Speichern und Beenden".
bool ShowFileInViewer(const std::string& fileName);

// Registers the viewer with the output frame (called once at start).
void InstallFileViewer();
