// Ardenix.com: the console program beside Ardenix.exe. A prompt waits for a console
// program but not for one of the windows subsystem, and finds "Ardenix.com" before
// "Ardenix.exe" when "Ardenix" is typed (.COM comes first in PATHEXT). It starts
// Ardenix.exe from its own folder (never by a bare name, which the search path would
// resolve) with the same arguments and its own standard handles.
// - Without arguments, or with /tray, the window program is started and left to run: the
//   companion returns at once with 0, so a prompt or a logon script goes on.
// - With other arguments it waits for the program and exits with its exit code, so that a
//   prompt or a script sees the program's output and result. The program runs in a job
//   that ends with the companion: Ctrl+C, Ctrl+Break or closing the console end both,
//   with STATUS_CONTROL_C_EXIT as the exit code.
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

// Ardenix.exe in the companion's own folder; empty when the companion cannot tell where
// it is.
std::string ProgramBesideMe() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::string::size_type folderEnd = path.find_last_of("\\/:");
  if (folderEnd == std::string::npos) return {};
  return path.substr(0, folderEnd + 1) + "Ardenix.exe";
}

// The job the waited-for program runs in: closing its last handle, as the end of the
// companion does, ends the program too.
HANDLE ProgramJob() {
  static const HANDLE job = [] {
    HANDLE made = CreateJobObjectA(nullptr, nullptr);
    if (!made) return HANDLE{};
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return made;
  }();
  return job;
}

// Ctrl+C, Ctrl+Break, closing the console, logging off: the program goes with the
// companion, and the caller sees what a program ended by Ctrl+C returns.
BOOL WINAPI EndWithTheConsole(DWORD) {
  if (HANDLE job = ProgramJob()) TerminateJobObject(job, STATUS_CONTROL_C_EXIT);
  ExitProcess(STATUS_CONTROL_C_EXIT);
}

int CannotStart(const std::string& program, DWORD error) {
  WriteLine(TStandardStream::Error,
            "Ardenix: cannot start \"" + program + "\": " + SystemErrorText(error));
  return kExitNotStarted;
}

}  // namespace

int main() {
  RestrictLibrarySearchToSystemFolder();
  const std::string program = ProgramBesideMe();
  if (program.empty()) return CannotStart("Ardenix.exe", GetLastError());
  const TSplitCommandLine split = SplitCommandLine(GetCommandLineA());
  const bool waits = !StartsWindowProgram(ParseCommandLine(GetCommandLineA()).Kind);
  std::string commandLine = "\"" + program + "\"";
  if (!split.Rest.empty()) commandLine += " " + split.Rest;

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  if (waits) SetConsoleCtrlHandler(EndWithTheConsole, TRUE);
  PROCESS_INFORMATION process{};
  // A waited-for program starts suspended, so that it is in the job before it runs.
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                      waits ? CREATE_SUSPENDED : 0, nullptr, nullptr, &startup, &process))
    return CannotStart(program, GetLastError());
  TKernelHandle thread(process.hThread);
  TKernelHandle child(process.hProcess);
  if (!waits) return 0;
  if (HANDLE job = ProgramJob()) AssignProcessToJobObject(job, child.Get());
  ResumeThread(thread.Get());
  WaitForSingleObject(child.Get(), INFINITE);
  DWORD exitCode = kExitNotStarted;
  GetExitCodeProcess(child.Get(), &exitCode);
  return static_cast<int>(exitCode);
}
