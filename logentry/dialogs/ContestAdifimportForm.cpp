#include "logentry/dialogs/ContestAdifimportForm.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTabWidget>

#include "platform/codec.h"
#include "ui/filebaseoop.h"
#include "ui/kxbuttons.h"
#include "ui/kxlayout.h"

namespace {

// The help pages of the two lists, opened by F1 on them.
constexpr int kAdifFieldsHelpContext = 100190002;
constexpr int kLogFieldsHelpContext = 100190003;

QLabel* NewLabel(QWidget* parent, const char* name, const char* text, int x, int y, int w, int h = 18) {
  auto* l = new QLabel(AnsiToQString(text), parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(x, y, w, h);
  return l;
}

}  // namespace

// --- the file's fields ---------------------------------------------------------

TAdifFieldList::TAdifFieldList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(true);
  setDragDropMode(QAbstractItemView::DragOnly);
}

const QString& TAdifFieldList::MimeType() {
  static const QString type = QStringLiteral("application/x-ostrelon-adif-field");
  return type;
}

QStringList TAdifFieldList::mimeTypes() const { return {MimeType()}; }

QMimeData* TAdifFieldList::mimeData(const QList<QListWidgetItem*>& items) const {
  if (items.isEmpty()) return nullptr;
  auto* data = new QMimeData;
  data->setData(MimeType(), items.first()->text().toUtf8());
  return data;
}

QMimeData* TAdifFieldList::DragData() const {
  QListWidgetItem* item = currentItem();
  return item ? mimeData({item}) : nullptr;
}

// --- the log's fields ------------------------------------------------------------

TLogFieldList::TLogFieldList(QWidget* parent) : QListWidget(parent) {
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DropOnly);
}

void TLogFieldList::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasFormat(TAdifFieldList::MimeType())) e->acceptProposedAction();
}

void TLogFieldList::dragMoveEvent(QDragMoveEvent* e) {
  // Every place of the list takes the drop; the drop decides what happens.
  if (e->mimeData()->hasFormat(TAdifFieldList::MimeType())) e->acceptProposedAction();
}

void TLogFieldList::dropEvent(QDropEvent* e) {
  // Only the file's field list sends this kind of data.
  if (!e->mimeData()->hasFormat(TAdifFieldList::MimeType())) return;
  const QModelIndex index = indexAt(e->position().toPoint());
  const std::string name = QStringToAnsi(QString::fromUtf8(e->mimeData()->data(TAdifFieldList::MimeType())));
  e->setDropAction(Qt::CopyAction);
  e->accept();
  if (OnDrop) {
    const int row = index.isValid() ? index.row() : -1;
    RunGuarded([this, row, name] { OnDrop(row, name); });
  }
}

// --- the form ------------------------------------------------------------------------

TContestAdifimportForm::TContestAdifimportForm(QWidget* owner, const std::vector<std::string>& logFields,
                                               TFileReader reader)
    : TkxForm(owner), reader_(std::move(reader)) {
  setObjectName(QStringLiteral("TContestAdifimportForm"));
  setWindowTitle(QStringLiteral("ADIF-Import"));
  setFont(QFont(QStringLiteral("Arial"), 9));
  setFixedSize(521, 426);

  Label2 = NewLabel(this, "Label2", "Mit dieser Funktion können ADIF-Dateien anderer Logbücher eingelesen werden.",
                    12, 10, 497);
  btndatei = new TkxBitBtn(this);
  btndatei->setObjectName(QStringLiteral("btndatei"));
  btndatei->SetCaption("ADIF-Datei auswählen");
  btndatei->setGeometry(12, 34, 160, 26);
  btndatei->OnClick = [this] { btndateiClick(); };
  ldatei = NewLabel(this, "ldatei", "", 182, 38, 327);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setGeometry(12, 68, 497, 306);
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  PageControl1->addTab(TabSheet1, AnsiToQString("Feldzuordnung"));
  Label1 = NewLabel(TabSheet1, "Label1",
                    "Ziehen Sie mit der Maus die gewünschten Einträge aus der linken in die rechte Liste.", 8, 6,
                    477, 32);
  Label1->setWordWrap(true);
  Label3 = NewLabel(TabSheet1, "Label3", "Felder der ADIF-Datei", 8, 42, 200);
  ListeLinks = new TAdifFieldList(TabSheet1);
  ListeLinks->setObjectName(QStringLiteral("ListeLinks"));
  ListeLinks->setGeometry(8, 62, 200, 180);
  SetHelpContext(ListeLinks, kAdifFieldsHelpContext);
  Label4 = NewLabel(TabSheet1, "Label4", "Felder im Log", 230, 42, 200);
  ListeRechtsLB = new TLogFieldList(TabSheet1);
  ListeRechtsLB->setObjectName(QStringLiteral("ListeRechtsLB"));
  ListeRechtsLB->setGeometry(230, 62, 255, 180);
  SetHelpContext(ListeRechtsLB, kLogFieldsHelpContext);
  for (const std::string& f : logFields) ListeRechtsLB->addItem(AnsiToQString(f));
  ListeRechtsLB->OnDrop = [this](int row, const std::string& name) { ListeRechtsLBDragDrop(row, name); };
  checkkeincheck = new QCheckBox(AnsiToQString("keine Mode/Band-Überprüfung"), TabSheet1);
  checkkeincheck->setObjectName(QStringLiteral("checkkeincheck"));
  checkkeincheck->setGeometry(8, 250, 300, 22);

  btnimportstart = new TkxBitBtn(this);
  btnimportstart->setObjectName(QStringLiteral("btnimportstart"));
  btnimportstart->SetkxKind(bkOK);
  btnimportstart->SetCaption("Start");
  btnimportstart->SetDefault(true);
  btnimportstart->SetModalResult(1);
  btnimportstart->setGeometry(316, 386, 90, 28);
  btnimportstart->setEnabled(false);
  BitBtn1 = new TkxBitBtn(this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->SetkxKind(bkCancel);
  BitBtn1->SetCaption("Abbruch");
  BitBtn1->SetCancel(true);
  BitBtn1->SetModalResult(2);
  BitBtn1->setGeometry(419, 386, 90, 28);

  ToLayout.ApplyFormLook(this, true);
}

std::vector<std::string> TContestAdifimportForm::Mapping() const {
  std::vector<std::string> out;
  for (int i = 0; i < ListeRechtsLB->count(); ++i) out.push_back(QStringToAnsi(ListeRechtsLB->item(i)->text()));
  return out;
}

bool TContestAdifimportForm::CheckModeAndBand() const { return !checkkeincheck->isChecked(); }

void TContestAdifimportForm::btndateiClick() {
  std::string fileName;
  if (!FileBaseSS.FileDialog(this, "adi", true, fileName, "ADIF-Datei auswählen", "",
                             "ADIF-Datei (*.adi, *.adif)|*.ADI;*.ADIF"))
    return;
  // A new file: the assignments of the previous one no longer apply.
  ListeLinks->clear();
  for (int i = 0; i < ListeRechtsLB->count(); ++i) {
    QListWidgetItem* item = ListeRechtsLB->item(i);
    const QString text = item->text();
    const qsizetype open = text.indexOf(QStringLiteral(" ("));
    if (open >= 0) item->setText(text.left(open));
  }
  btnimportstart->setEnabled(false);
  ldatei->setText(AnsiToQString(fileName));
  std::vector<std::string> names;
  if (!reader_ || !reader_(fileName, names)) return;
  for (const std::string& n : names) ListeLinks->addItem(AnsiToQString(n));
}

void TContestAdifimportForm::ListeRechtsLBDragDrop(int row, const std::string& adifName) {
  if (row < 0 || row >= ListeRechtsLB->count() || adifName.empty()) return;
  QListWidgetItem* target = ListeRechtsLB->item(row);
  // An entry that holds an assignment keeps it.
  if (target->text().contains(QLatin1Char('('))) return;
  const QList<QListWidgetItem*> source = ListeLinks->findItems(AnsiToQString(adifName), Qt::MatchExactly);
  if (source.isEmpty()) return;
  target->setText(target->text() + AnsiToQString(" (" + adifName + ")"));
  delete source.first();
  btnimportstart->setEnabled(true);
}
