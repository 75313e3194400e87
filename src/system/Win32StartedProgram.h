#pragma once

#include <windows.h>

#include "ProgramStarter.h"
#include "Win32KernelHandle.h"

// A started process followed through its handle, which it closes when it goes.
class TWin32StartedProgram : public IStartedProgram {
 public:
  explicit TWin32StartedProgram(HANDLE process) : process_(process) {}
  // Looks at the handle without waiting; a handle that cannot be asked counts as running.
  std::optional<unsigned long> ExitCode() override;

 private:
  TKernelHandle process_;
};
