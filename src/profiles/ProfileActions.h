#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "ConsoleCodePage.h"
#include "FileSystem.h"
#include "NetInfo.h"
#include "ProgramStarter.h"
#include "SaveNameAsker.h"
#include "SystemPaths.h"

// The two ways a profile reaches netsh: applied now, or saved as a script for later.
class TProfileActions {
 public:
  TProfileActions(IFileSystem& files, ISystemPaths& paths, IProgramStarter& starter,
                  ISaveNameAsker& asker, IConsoleCodePage& console);

  // Writes the normalised copy's script beside the executable (extension ".TMP") and
  // starts the system's own netsh on it, without waiting; the result lets the caller
  // follow the run. netsh may run as administrator after a consent prompt, and runs
  // whatever the script says by then; so the script is held (no one else can write,
  // rename or delete it) from its writing until the started program is let go of, and
  // netsh starts only when the bytes read back through the hold are the ones written.
  // Nothing is started when:
  // - the script cannot be written: TFileError is thrown;
  // - another apply holds the script: a failed start with kStartErrorApplyRunning;
  // - the script reads back otherwise: a failed start with kStartErrorScriptChanged;
  // - the system directory is unknown: a failed start with error 0 and
  //   kNoSystemDirectoryText.
  TStartResult Apply(const TNetInfo& profile);

  // Saves the normalised copy as a batch file (BatchFileText) in the console's code page
  // where the user says, proposing the caption with extension ".bat"; returns the path
  // written, none when the user cancelled. The dialog lists batch files, adds ".bat" to a
  // name typed without an extension and asks before replacing a file. Throws:
  // - TProfileRefused, asking nothing and writing nothing, when the profile may not reach
  //   netsh (ProfileProblem) or its adapter's name has a letter the console's code page
  //   does not hold;
  // - TFileError when the file cannot be written.
  std::optional<std::string> Export(const std::string& caption, const TNetInfo& profile);

 private:
  IFileSystem& files_;
  ISystemPaths& paths_;
  IProgramStarter& starter_;
  ISaveNameAsker& asker_;
  IConsoleCodePage& console_;
};

// A profile that netsh would reject, refused before anything was asked or written. what()
// is the text the user is shown: `WINS "300.1.1.1" is not an address; nothing was saved`.
class TProfileRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Why Apply started nothing when the system directory could not be found.
inline constexpr const char* kNoSystemDirectoryText = "The system folder is not known.";

// The netsh that Apply starts: the one in the system directory, never one found on the
// search path (which would look in the program's own folder first).
std::string NetshProgramPath(const std::string& systemDirectory);

// netsh's command line for a script: "-f" and the path in double quotes, so that a path
// with spaces stays one argument.
std::string NetshParameters(const std::string& scriptPath);
