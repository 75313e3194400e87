#include "ProfileActions.h"

#include <memory>
#include <optional>
#include <utility>

#include "BatchFile.h"
#include "NetshScript.h"
#include "ProfileCheck.h"
#include "ScriptHoldingProgram.h"
#include "SiblingPath.h"

TProfileActions::TProfileActions(IFileSystem& files, ISystemPaths& paths, IProgramStarter& starter,
                                 ISaveNameAsker& asker, IConsoleCodePage& console)
    : files_(files), paths_(paths), starter_(starter), asker_(asker), console_(console) {}

TStartResult TProfileActions::Apply(const TNetInfo& profile) {
  const std::string scriptPath = ReplaceExtension(paths_.ExecutablePath(), ".TMP");
  const std::string script = NetshScriptText(NormalisedCopy(profile));
  std::unique_ptr<IHeldFile> held;
  try {
    held = files_.WriteHeld(scriptPath, script);
  } catch (const TFileInUse& error) {
    return TStartResult::Failed(kStartErrorApplyRunning, error.what());
  }
  // Without the system directory no netsh can be named safely ("\netsh.exe" is whatever
  // lies at the root of the current drive).
  const std::string systemDirectory = paths_.SystemDirectory();
  if (systemDirectory.empty()) return TStartResult::Failed(0, kNoSystemDirectoryText);
  if (held->ReadBack() != script)
    return TStartResult::Failed(kStartErrorScriptChanged, "the script reads back otherwise");
  TStartResult start =
      starter_.Start(NetshProgramPath(systemDirectory), NetshParameters(scriptPath));
  if (start.Program)
    start.Program = std::make_unique<TScriptHoldingProgram>(std::move(start.Program), std::move(held));
  return start;
}

std::optional<std::string> TProfileActions::Export(const std::string& caption,
                                                   const TNetInfo& profile) {
  const TNetInfo normalised = NormalisedCopy(profile);
  if (std::optional<std::string> problem = ProfileProblem(normalised))
    throw TProfileRefused(*problem + "; nothing was saved");
  const std::optional<std::string> text = console_.FromAnsi(BatchFileText(normalised));
  if (!text) {
    throw TProfileRefused("The adapter's name \"" + normalised.LAN +
                          "\" has a letter that cmd cannot read in a batch file on this "
                          "computer; nothing was saved");
  }
  // Lower case, as the filter's own pattern and the extension the dialog adds: one name
  // whether the user keeps the proposal or types a name of their own.
  const TSaveNameRequest request{"Batch files (*.bat)", "*.bat", ReplaceExtension(caption, ".bat"),
                                 "bat", true};
  std::optional<std::string> path = asker_.AskSaveName(request);
  if (path) files_.WriteNew(*path, *text);
  return path;
}

std::string NetshProgramPath(const std::string& systemDirectory) {
  std::string path = systemDirectory;
  if (path.empty() || path.back() != '\\') path += '\\';
  return path + "netsh.exe";
}

std::string NetshParameters(const std::string& scriptPath) {
  return "-f \"" + scriptPath + "\"";
}
