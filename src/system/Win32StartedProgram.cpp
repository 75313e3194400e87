#include "Win32StartedProgram.h"

std::optional<unsigned long> TWin32StartedProgram::ExitCode() {
  if (WaitForSingleObject(process_.Get(), 0) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  if (!GetExitCodeProcess(process_.Get(), &code)) return std::nullopt;
  return code;
}
