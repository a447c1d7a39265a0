#pragma once
// Write-protects a file for the lifetime of the object, as a user would with
// "chmod a-w". Root ignores file permissions, so a test running as root also
// gives up that override (CAP_DAC_OVERRIDE, for the calling thread only)
// until the object goes; then the permissions and the override come back.
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string>

#include "platform/paths.h"

class WriteProtectedFile {
 public:
  explicit WriteProtectedFile(const std::string& fileName) : name_(NativeFileName(fileName)) {
    struct stat st {};
    ok_ = ::stat(name_.c_str(), &st) == 0;
    mode_ = st.st_mode & 07777;
    ok_ = ok_ && ::chmod(name_.c_str(), mode_ & ~0222u) == 0;
    if (Capabilities(caps_) && (caps_[0].effective & kOverride) != 0) {
      __user_cap_data_struct lowered[2] = {caps_[0], caps_[1]};
      lowered[0].effective &= ~kOverride;
      dropped_ = SetCapabilities(lowered);
    }
  }
  ~WriteProtectedFile() {
    if (dropped_) SetCapabilities(caps_);
    ::chmod(name_.c_str(), mode_);
  }
  WriteProtectedFile(const WriteProtectedFile&) = delete;
  WriteProtectedFile& operator=(const WriteProtectedFile&) = delete;

  // False when the file could not be protected (the test cannot run).
  bool Ok() const { return ok_; }

 private:
  static constexpr unsigned kOverride = 1u << CAP_DAC_OVERRIDE;
  static bool Capabilities(__user_cap_data_struct (&data)[2]) {
    __user_cap_header_struct h{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capget, &h, data) == 0;
  }
  static bool SetCapabilities(__user_cap_data_struct (&data)[2]) {
    __user_cap_header_struct h{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capset, &h, data) == 0;
  }

  std::string name_;
  mode_t mode_ = 0644;
  bool ok_ = false;
  bool dropped_ = false;
  __user_cap_data_struct caps_[2] = {};
};
