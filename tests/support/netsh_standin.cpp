// Stands in for the system's netsh.exe in the tests' Wine prefix. It records how it was
// started, and whether it could read the script it was given, in the file named by
// ARDENIX_NETSH_RECORD:
//   line 1: its own module path
//   line 2: its whole command line
//   line 3: its arguments, each in [brackets], as the C runtime split them
//   line 4: "script: <bytes>" or "script: unreadable"; then the script's bytes
// The record appears whole (written aside, then renamed), so a reader never sees half.
// ARDENIX_NETSH_DELAY_MS makes it run that long before it writes the record, and
// ARDENIX_NETSH_EXIT_CODE is the code it then exits with (0 without it).
// ARDENIX_NETSH_CALLS names a file each start adds its arguments line to (line 3 above),
// for a batch file that starts netsh once per command; with ARDENIX_NETSH_FAIL_AT=N only
// the Nth start so counted exits with ARDENIX_NETSH_EXIT_CODE, the others with 0.
// ARDENIX_NETSH_WAIT_EVENT names an event it waits for (a minute at most) before anything
// else, so that a test decides when it goes on.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ModulePath() {
  char path[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path));
  return path;
}

std::string ScriptGivenBy(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "-f") return argv[i + 1];
  return {};
}

unsigned long NumberFromEnvironment(const char* name) {
  char text[32] = {};
  if (!GetEnvironmentVariableA(name, text, sizeof(text))) return 0;
  return std::strtoul(text, nullptr, 10);
}

// Adds the line to the calls file, if one is named, and returns how many lines it holds
// now (0 without one).
unsigned long CountedCall(const std::string& line) {
  char callsPath[MAX_PATH * 4] = {};
  if (!GetEnvironmentVariableA("ARDENIX_NETSH_CALLS", callsPath, sizeof(callsPath))) return 0;
  { std::ofstream(callsPath, std::ios::binary | std::ios::app) << line << "\n"; }
  std::ifstream calls(callsPath, std::ios::binary);
  unsigned long count = 0;
  for (std::string read; std::getline(calls, read);) ++count;
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  char recordPath[MAX_PATH * 4] = {};
  if (!GetEnvironmentVariableA("ARDENIX_NETSH_RECORD", recordPath, sizeof(recordPath))) return 3;

  char eventName[MAX_PATH] = {};
  if (GetEnvironmentVariableA("ARDENIX_NETSH_WAIT_EVENT", eventName, sizeof(eventName))) {
    if (HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, eventName)) {
      WaitForSingleObject(event, 60000);
      CloseHandle(event);
    }
  }
  Sleep(NumberFromEnvironment("ARDENIX_NETSH_DELAY_MS"));

  std::string arguments;
  for (int i = 1; i < argc; ++i) arguments += std::string("[") + argv[i] + "]";
  const unsigned long call = CountedCall(arguments);
  std::string record = ModulePath() + "\n" + GetCommandLineA() + "\n" + arguments + "\n";
  std::ifstream script(ScriptGivenBy(argc, argv), std::ios::binary);
  if (script) {
    std::string bytes{std::istreambuf_iterator<char>(script), std::istreambuf_iterator<char>()};
    record += "script: " + std::to_string(bytes.size()) + "\n" + bytes;
  } else {
    record += "script: unreadable\n";
  }

  const std::string partPath = std::string(recordPath) + ".part";
  {
    std::ofstream part(partPath, std::ios::binary | std::ios::trunc);
    part << record;
    if (!part) return 4;
  }
  if (!MoveFileExA(partPath.c_str(), recordPath, MOVEFILE_REPLACE_EXISTING)) return 5;
  const unsigned long failAt = NumberFromEnvironment("ARDENIX_NETSH_FAIL_AT");
  if (failAt != 0 && failAt != call) return 0;
  return static_cast<int>(NumberFromEnvironment("ARDENIX_NETSH_EXIT_CODE"));
}
