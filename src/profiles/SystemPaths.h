#pragma once

#include <string>

// Where things are on this machine.
class ISystemPaths {
 public:
  virtual ~ISystemPaths() = default;

  // The running program's own full path, e.g. 'C:\Tools\lanpick.exe'.
  virtual std::string ExecutablePath() = 0;

  // The folder of the system's own programs, e.g. 'C:\Windows\system32'.
  virtual std::string SystemDirectory() = 0;
};
