#pragma once
// TDatenPrefixListeCtrl: the list controller of the prefix list: the main
// prefix table in the data-list window, on the shared record actions of
// TDatenPrefixFkt.
#include <cstdint>
#include <string>

#include "logentry/dialogs/DatenListeCtrl.h"

class TDatenPrefixListeCtrl : public TDatenListeCtrl {
 public:
  // keyNumber: the order the list opens on (14 DXCC, 7 country);
  // detailsOnly 1: browse mode offers only the view "Details".
  TDatenPrefixListeCtrl(QWidget* owner, bool pickMode, const std::string& startText,
                        int keyNumber, int detailsOnly);

  void CreateGridCtrl() override;

  std::string StartText;
  uint8_t KeyNumber;
  uint8_t DetailsOnly;
};
