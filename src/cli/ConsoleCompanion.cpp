// Ardenix.com: the console program beside Ardenix.exe. A prompt waits for a console
// program but not for one of the windows subsystem, and finds "Ardenix.com" before
// "Ardenix.exe" when "Ardenix" is typed (.COM comes first in PATHEXT). It starts
// Ardenix.exe from its own folder with the same arguments and its own standard handles,
// waits for it and exits with its exit code, so that a prompt or a script sees the
// program's output and result.
#include <windows.h>

#include <string>

#include "CommandLine.h"
#include "ConsoleOutput.h"
#include "SystemErrorText.h"
#include "SystemLibrary.h"
#include "Win32KernelHandle.h"

namespace {

// The companion's own failure to start the program (sysexits' "unavailable").
constexpr int kExitNotStarted = 69;

std::string ProgramBesideMe() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return "Ardenix.exe";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of("\\/:") + 1) + "Ardenix.exe";
}

}  // namespace

int main() {
  RestrictLibrarySearchToSystemFolder();
  const std::string program = ProgramBesideMe();
  std::string commandLine = "\"" + program + "\"";
  const std::string rest = SplitCommandLine(GetCommandLineA()).Rest;
  if (!rest.empty()) commandLine += " " + rest;

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &startup, &process)) {
    const DWORD error = GetLastError();
    WriteLine(TStandardStream::Error,
              "Ardenix: cannot start \"" + program + "\": " + SystemErrorText(error));
    return kExitNotStarted;
  }
  TKernelHandle thread(process.hThread);
  TKernelHandle child(process.hProcess);
  WaitForSingleObject(child.Get(), INFINITE);
  DWORD exitCode = kExitNotStarted;
  GetExitCodeProcess(child.Get(), &exitCode);
  return static_cast<int>(exitCode);
}
