#pragma once
// TKxTextFileViewer: shows up to 100 lines of a text file in one column.
#include <QTableWidget>
#include <string>

class TKxTextFileViewer : public QTableWidget {
  Q_OBJECT
 public:
  explicit TKxTextFileViewer(QWidget* parent = nullptr);

  // File name as program text. A new, non-empty name loads the file.
  const std::string& filename() const { return filename_; }
  void SetFilename(const std::string& name);
  bool IsOpen() const { return isOpen_; }
  // true loads the file again, false clears the column.
  void SetIsOpen(bool open);

  // The text of line row (program text); empty for a free cell.
  std::string Line(int row) const;

 private:
  void ClearColumn();
  void Load();

  std::string filename_;
  bool isOpen_ = false;
};
