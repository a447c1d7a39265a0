#pragma once
// The participant form of the VHF/UHF log export: station, responsible
// operator, section and remarks. It edits a TEdiParticipant in place.
#include <string>
#include <vector>

#include "outputs/edi.h"
#include "ui/kxform.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class Tuhfteilnehmer : public TkxForm {
  Q_OBJECT
 public:
  explicit Tuhfteilnehmer(QWidget* parent = nullptr);

  void Load(const TEdiParticipant& p, const std::vector<std::string>& sections);
  void Store(TEdiParticipant& p) const;

  QLineEdit *pcall, *ploc, *padr1, *padr2, *pclub1, *pclub2;
  QLineEdit *radr1, *radr2, *rname, *rpoco, *rcity, *rcoun, *mope1, *mope2;
  QLineEdit *rtrx, *rant, *rpower, *remail;
  QComboBox *pband, *psect;
  QPlainTextEdit* rremarks;
  QCheckBox* cspeichern;
  QPushButton* btnok;
};

// The form shown modally; the texts are taken back however it closes.
class TUhfParticipantDialog : public TEdiParticipantForm {
 public:
  void Run(TEdiParticipant& p, const std::string& caption,
           const std::vector<std::string>& sections) override;
};
