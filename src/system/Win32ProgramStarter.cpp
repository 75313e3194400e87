#include "Win32ProgramStarter.h"

#include <memory>
#include <utility>

#include "ProcessElevation.h"
#include "SystemErrorText.h"
#include "Win32StartedProgram.h"

TWin32ProgramStarter::TWin32ProgramStarter(TOwnerSource owner, TElevationCheck isElevated,
                                           TShellExecute shellExecute)
    : owner_(std::move(owner)),
      isElevated_(isElevated ? std::move(isElevated) : TElevationCheck(ProcessIsElevated)),
      shellExecute_(shellExecute ? std::move(shellExecute)
                                 : TShellExecute([](SHELLEXECUTEINFOA& info) {
                                     return ShellExecuteExA(&info);
                                   })) {}

TStartResult TWin32ProgramStarter::Start(const std::string& program,
                                         const std::string& parameters) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  // Without FLAG_NO_UI the shell shows its own box for a missing program, and under
  // Wine the call then blocks until it is closed.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner_ ? owner_() : nullptr;
  info.lpVerb = ShellVerbFor(isElevated_());
  info.lpFile = program.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWMINIMIZED;
  if (!shellExecute_(info)) {
    const DWORD error = GetLastError();
    return TStartResult::Failed(error, SystemErrorText(error));
  }
  if (!info.hProcess) return TStartResult::Running(nullptr);
  return TStartResult::Running(std::make_unique<TWin32StartedProgram>(info.hProcess));
}

const char* ShellVerbFor(bool elevated) {
  return elevated ? nullptr : "runas";
}
