// Applies ApplyProbeProfile() as the program does: real files, its own executable's path,
// the system directory, the shell. Copied into a test folder and run from there.
//   apply_probe [elevated|not-elevated]   pretend the process is (not) elevated;
//                                         without an argument the token is asked
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <exception>

#include "ApplyProbeProfile.h"
#include "ProfileActions.h"
#include "Win32ConsoleCodePage.h"
#include "Win32FileSystem.h"
#include "Win32ProgramStarter.h"
#include "Win32SystemPaths.h"

namespace {

class TNoDialog : public ISaveNameAsker {
 public:
  std::optional<std::string> AskSaveName(const TSaveNameRequest&) override { return {}; }
};

TWin32ProgramStarter::TElevationCheck ElevationFrom(int argc, char** argv) {
  if (argc < 2) return {};
  const bool elevated = std::strcmp(argv[1], "elevated") == 0;
  return [elevated] { return elevated; };
}

}  // namespace

int main(int argc, char** argv) {
  TWin32FileSystem files;
  TWin32SystemPaths paths;
  TWin32ProgramStarter starter([] { return HWND{}; }, ElevationFrom(argc, argv));
  TNoDialog noDialog;
  TWin32ConsoleCodePage console;
  TProfileActions actions(files, paths, starter, noDialog, console);
  try {
    actions.Apply(ApplyProbeProfile());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
