#pragma once
// File and directory services of the program: existence tests, rename,
// delete, current directory, and the open and save dialogs. The dialogs run
// through a replaceable runner so that tests never open a real dialog.
#include <string>
#include <vector>

class QWidget;

// What a file dialog is asked for; texts in program text.
struct TFileDialogRequest {
  QWidget* Owner = nullptr;
  bool Open = true;         // false: save dialog (asks before overwriting)
  std::string DefaultExt;   // appended to a name typed without extension
  std::string Title;
  std::string InitialDir;
  std::string Filter;       // "Description|*.ext;*.ex2|Description|*.*"
};

// Runs a file dialog; fileName is the proposed name in and the chosen name
// out; true when the user confirmed.
class TFileDialogRunner {
 public:
  virtual ~TFileDialogRunner() = default;
  virtual bool Run(const TFileDialogRequest& request, std::string& fileName);
};

// Installs a runner (not owned; nullptr restores the real one); returns the previous.
TFileDialogRunner* SetFileDialogRunner(TFileDialogRunner* runner);

// The settings of a save dialog as a form keeps them between runs.
struct TSaveDialog {
  std::string FileName;
  std::string DefaultExt;
  std::string Title;
  std::string InitialDir;
  std::string Filter;
};

class TFileBaseSS {
 public:
  bool FileExists(const std::string& fileName) const;
  bool DirectoryExists(const std::string& path) const;
  // Replaces newName by oldName's file in one step; true when the names
  // are equal or the rename worked. A failed rename leaves both files alone.
  bool RenameFile(const std::string& oldName, const std::string& newName) const;
  // True when the file is gone afterwards.
  bool DeleteFile(const std::string& fileName) const;
  // Makes path the current directory, creating it (one level) first when
  // create is set; false when it does not exist or cannot be entered.
  bool EnterDirectory(const std::string& path, bool create) const;
  std::string GetCurrentDir() const;
  // Creates one directory level unless it exists; false for an empty path
  // or when it cannot be created.
  bool CreateDirectory(const std::string& path) const;
  // The dialogs of the NT family are the ones this program runs everywhere.
  bool IsWinNT() const { return true; }

  bool FileDialog(QWidget* owner, const std::string& defaultExt, bool open, std::string& fileName,
                  const std::string& title, const std::string& initialDir,
                  const std::string& filter) const;
  // Runs the save dialog with the component's settings; an empty default
  // extension or title is taken from the component. The chosen name is
  // written back into the component.
  bool ExecuteSaveDialog(QWidget* owner, TSaveDialog& dialog, const std::string& defaultExt = "",
                         const std::string& title = "") const;
};

// A Windows filter text as the dialog's name filters ("Text (*.txt)"),
// each pattern widened to match its letters in either case.
std::vector<std::string> FileDialogFilters(const std::string& filter);
// "*.adi" as "*.[aA][dD][iI]".
std::string CaseInsensitivePattern(const std::string& pattern);

extern TFileBaseSS FileBaseSS;
