#pragma once
// The dialog "ADIF-Import": the file chosen through the program's file
// dialog, the file's ADIF fields dragged onto the log's fields, the switch
// that turns the mode and band check off. Only texts and lists live here;
// reading the file and importing are the controller's.
#include <functional>
#include <string>
#include <vector>

#include <QListWidget>

#include "ui/kxform.h"

class QCheckBox;
class QLabel;
class QTabWidget;
class TkxBitBtn;

// The list of the file's fields: a drag carries the dragged field's name.
class TAdifFieldList : public QListWidget {
  Q_OBJECT
 public:
  explicit TAdifFieldList(QWidget* parent);
  // The data a drag of the current item carries; nullptr without one.
  QMimeData* DragData() const;
  static const QString& MimeType();

 protected:
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
};

// The list of the log's fields: takes drops of the file's fields.
class TLogFieldList : public QListWidget {
  Q_OBJECT
 public:
  explicit TLogFieldList(QWidget* parent);
  // Called with the row under the drop point (-1: none) and the dropped name.
  std::function<void(int row, const std::string& adifName)> OnDrop;

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
};

class TContestAdifimportForm : public TkxForm {
  Q_OBJECT
 public:
  // fileChosen reads the chosen file and returns its ADIF field names
  // (false: nothing could be read, the lists stay empty).
  using TFileReader = std::function<bool(const std::string& fileName, std::vector<std::string>& names)>;

  TContestAdifimportForm(QWidget* owner, const std::vector<std::string>& logFields, TFileReader reader);

  // The entries of "Felder im Log" and the check switch as the dialog ends.
  std::vector<std::string> Mapping() const;
  bool CheckModeAndBand() const;

  // The handlers of the file button and of a drop onto the log's list.
  void btndateiClick();
  void ListeRechtsLBDragDrop(int row, const std::string& adifName);

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  TkxBitBtn* btndatei = nullptr;
  QLabel* ldatei = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  TAdifFieldList* ListeLinks = nullptr;
  TLogFieldList* ListeRechtsLB = nullptr;
  QCheckBox* checkkeincheck = nullptr;
  TkxBitBtn* btnimportstart = nullptr;
  TkxBitBtn* BitBtn1 = nullptr;

 private:
  TFileReader reader_;
};
