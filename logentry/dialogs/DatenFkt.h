#pragma once
// TDatenFkt: the record actions of the table a data-list window shows: open
// and close its files, new, change, delete and search. A concrete list
// overrides the actions its table offers; the Run... operations put them
// between the hooks of the list's grid controller, so that the list shows
// the record acted on afterwards.
#include <QStringList>
#include <cstdint>

class QWidget;
class TDatenBrowCtrl;

class TDatenFkt {
 public:
  TDatenFkt() = default;
  virtual ~TDatenFkt() = default;
  TDatenFkt(const TDatenFkt&) = delete;
  TDatenFkt& operator=(const TDatenFkt&) = delete;

  // The actions on the table; the base offers none (false: nothing done).
  virtual bool ChangeRecord(int32_t ref, QWidget* owner);
  virtual bool NewRecord(int32_t& ref, QWidget* owner);
  // refs: the record references as decimal texts.
  virtual bool DeleteRecords(const QStringList& refs);
  virtual bool OpenFiles();
  virtual void CloseFiles();

  // The actions with the grid controller's hooks around them (grid may be nil).
  virtual bool RunChange(QWidget* owner, TDatenBrowCtrl* grid);
  virtual bool RunNew(QWidget* owner, TDatenBrowCtrl* grid);
  virtual bool RunDelete(TDatenBrowCtrl* grid);
  virtual void RunSearch(TDatenBrowCtrl* grid);
};
