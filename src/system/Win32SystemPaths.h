#pragma once

#include "SystemPaths.h"

// This process's executable (GetModuleFileName) and the system directory
// (GetSystemDirectory).
class TWin32SystemPaths : public ISystemPaths {
 public:
  std::string ExecutablePath() override;
  std::string SystemDirectory() override;
};
