#pragma once
// TDatenPrefixFkt: the record actions of the prefix list (the main prefix
// table ZQPREFIX): opening and closing its file and deleting entries; new,
// change, search and print offer nothing. The unit keeps one shared
// instance. ChooseDxcc is the DXCC picker of the QSO edit dialog.
#include <string>

#include "logentry/dialogs/DatenFkt.h"

class TDatenPrefixFkt : public TDatenFkt {
 public:
  bool ChangeRecord(int32_t ref, QWidget* owner) override;
  bool NewRecord(int32_t& ref, QWidget* owner) override;
  // Asks once, then deletes the entries in one transaction: when one of
  // them cannot be deleted nothing is, and the user is told which. True
  // once a delete was attempted (the list is shown anew either way).
  bool DeleteRecords(const QStringList& refs) override;
  bool OpenFiles() override;
  void CloseFiles() override;

  // The DXCC picker: the prefix list in pick mode on the DXCC order. Both
  // results are emptied first; when the user takes an entry they receive
  // its DXCC prefix and its prefix. True when an entry was taken.
  static bool ChooseDxcc(std::string& dxcc, const std::string& startText, std::string& prefix,
                         QWidget* owner = nullptr);
};

extern TDatenPrefixFkt DatenPrefixFkt;
