#pragma once

#include <functional>
#include <optional>
#include <string>

// The value under the current user's Run key by which Windows starts Ardenix when the user
// logs on. Failures throw std::runtime_error with a sentence for the user.
class IStartupValue {
 public:
  virtual ~IStartupValue() = default;
  // The value's command; nullopt when there is none or it is not text.
  virtual std::optional<std::string> Read() = 0;
  virtual void Write(const std::string& command) = 0;
  // Removing a value that is not there is no failure.
  virtual void Remove() = 0;
};

// The Run key's value name. One fixed name, the one the user sees in the system's list of
// programs that start at logon, rather than one name per folder: a copy moved elsewhere
// and told to start with Windows again replaces the old entry instead of leaving one
// that names a file gone, and only one copy of Ardenix starts at logon (checking the item
// in another copy moves the entry to that copy).
inline constexpr char kStartupValueName[] = "Ardenix";

// Whether two full paths name the same file as Windows compares them (letter case aside).
using TSamePath = std::function<bool(const std::string&, const std::string&)>;

// The command that starts `program` (a full path) hidden in the notification area:
// "\"C:\\Tools\\Ardenix.exe\" /tray".
std::string StartupCommand(const std::string& program);

// Whether `command` starts `program`, whatever its arguments: the program's name is the
// quoted part when the command starts with a quote, otherwise the path itself followed by
// the end or a blank (a value written by hand without quotes, which the system also
// runs).
bool StartupCommandRuns(const std::string& command, const std::string& program,
                        const TSamePath& samePath);

// The "Start with Windows" item: checked while the Run value starts this program; a
// click removes the value when it does, and otherwise writes this program's command
// (replacing another copy's). Both look at the registry as it is at that moment.
class TStartWithWindows {
 public:
  TStartWithWindows(IStartupValue& value, std::string program, TSamePath samePath)
      : value_(value), program_(std::move(program)), samePath_(std::move(samePath)) {}

  bool Enabled();
  void Toggle();

 private:
  IStartupValue& value_;
  std::string program_;
  TSamePath samePath_;
};
