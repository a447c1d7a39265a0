#pragma once
// A launcher that records what the program hands to the desktop instead of
// opening it. Installed for its lifetime; answers are configurable.
#include <string>
#include <vector>

#include "platform/launcher.h"

class RecordingLauncher : public TLauncher {
 public:
  struct Run {
    std::string program;
    std::vector<std::string> args;
  };

  RecordingLauncher() { previous_ = SetLauncher(this); }
  ~RecordingLauncher() override { SetLauncher(previous_); }
  RecordingLauncher(const RecordingLauncher&) = delete;
  RecordingLauncher& operator=(const RecordingLauncher&) = delete;

  bool OpenUrl(const std::string& url) override {
    opened.push_back(url);
    return openResult;
  }
  int SendMail(const TMailRequest& mail) override {
    mails.push_back(mail);
    return mailResult;
  }
  bool RunProgram(const std::string& program, const std::vector<std::string>& args) override {
    runs.push_back({program, args});
    return runResult;
  }

  std::vector<std::string> opened;
  std::vector<TMailRequest> mails;
  std::vector<Run> runs;
  bool openResult = true;
  bool runResult = true;
  int mailResult = kMailHandedOver;

 private:
  TLauncher* previous_;
};
