#include "ui/KxViewr.h"

#include <QHeaderView>

#include "platform/codec.h"
#include "platform/textfile.h"

TKxTextFileViewer::TKxTextFileViewer(QWidget* parent) : QTableWidget(parent) {
  setColumnCount(1);
  setRowCount(100);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setColumnWidth(0, 10000);
  verticalHeader()->setDefaultSectionSize(18);
  setShowGrid(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void TKxTextFileViewer::SetFilename(const std::string& name) {
  if (name == filename_ || name.empty()) return;
  filename_ = name;
  Load();
  isOpen_ = true;
}

void TKxTextFileViewer::SetIsOpen(bool open) {
  if (open)
    Load();
  else
    ClearColumn();
  isOpen_ = open;
}

std::string TKxTextFileViewer::Line(int row) const {
  const QTableWidgetItem* it = item(row, 0);
  return it ? QStringToAnsi(it->text()) : std::string();
}

void TKxTextFileViewer::ClearColumn() {
  for (int r = 0; r < rowCount(); ++r) delete takeItem(r, 0);
}

void TKxTextFileViewer::Load() {
  ClearColumn();
  std::vector<std::string> lines;
  if (!ReadTextFile(filename_, lines)) return;
  // Each line goes into the first free cell; an empty line leaves its cell
  // free for the next one, and lines beyond the last cell are dropped.
  int next = 0;
  for (const std::string& line : lines) {
    if (next >= rowCount()) break;
    if (line.empty()) continue;
    setItem(next++, 0, new QTableWidgetItem(AnsiToQString(line)));
  }
}
