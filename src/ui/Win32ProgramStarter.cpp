#include "Win32ProgramStarter.h"

#include <shellapi.h>

#include <utility>

#include "ProcessElevation.h"

namespace {

void ShellExecuteIgnoringResult(HWND owner, const char* verb, const char* file,
                                const char* parameters, const char* directory, int showCommand) {
  ShellExecuteA(owner, verb, file, parameters, directory, showCommand);
}

}  // namespace

TWin32ProgramStarter::TWin32ProgramStarter(TOwnerSource owner, TElevationCheck isElevated,
                                           TShellExecute shellExecute)
    : owner_(std::move(owner)),
      isElevated_(isElevated ? std::move(isElevated) : TElevationCheck(ProcessIsElevated)),
      shellExecute_(shellExecute ? std::move(shellExecute)
                                 : TShellExecute(ShellExecuteIgnoringResult)) {}

void TWin32ProgramStarter::Start(const std::string& program, const std::string& parameters) {
  HWND owner = owner_ ? owner_() : nullptr;
  shellExecute_(owner, ShellVerbFor(isElevated_()), program.c_str(), parameters.c_str(), nullptr,
                SW_SHOWMINIMIZED);
}

const char* ShellVerbFor(bool elevated) {
  return elevated ? nullptr : "runas";
}
