#pragma once
// A file dialog that records what the program proposes and answers with a
// given file name, or cancels. Installed for its lifetime.
#include <string>
#include <vector>

#include "ui/filebaseoop.h"

class ScriptedFileDialog : public TFileDialogRunner {
 public:
  ScriptedFileDialog() { previous_ = SetFileDialogRunner(this); }
  ~ScriptedFileDialog() override { SetFileDialogRunner(previous_); }
  ScriptedFileDialog(const ScriptedFileDialog&) = delete;
  ScriptedFileDialog& operator=(const ScriptedFileDialog&) = delete;

  bool Run(const TFileDialogRequest& request, std::string& fileName) override {
    requests.push_back(request);
    proposed.push_back(fileName);
    if (confirm) fileName = answer;
    return confirm;
  }

  std::vector<TFileDialogRequest> requests;
  std::vector<std::string> proposed;
  bool confirm = true;
  std::string answer;

 private:
  TFileDialogRunner* previous_;
};
