#pragma once

#include <string>

#include "StartWithWindows.h"

// A text value under HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run:
// Windows runs its command when this user logs on. Only the current user's key is used,
// so no administrator rights are needed.
class TWin32StartupValue : public IStartupValue {
 public:
  explicit TWin32StartupValue(std::string valueName = kStartupValueName)
      : valueName_(std::move(valueName)) {}

  // An expandable value comes back with its environment variables expanded.
  std::optional<std::string> Read() override;
  void Write(const std::string& command) override;
  void Remove() override;

 private:
  std::string valueName_;
};

// Whether two paths are the same as the file system compares names: ordinal, letter case
// aside by the system's upper-case table (also beyond ASCII: "Ä" and "ä").
bool SameWindowsPath(const std::string& a, const std::string& b);
