#include "CommandLineRun.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <string>
#include <variant>

#include "ActiveProfiles.h"
#include "ApplyFollower.h"
#include "CaptionComparison.h"
#include "ConsoleOutput.h"
#include "FileSystem.h"
#include "ProfileAdapter.h"
#include "ProfileIni.h"
#include "ProfileNetwork.h"
#include "ProfileStore.h"
#include "SiblingPath.h"
#include "StoreInstance.h"

namespace {

// The store's connections in the list's order, or the line that says why there are none.
std::variant<TProfileList, std::string> ReadStore(TCoreServices& services) {
  TProfileList profiles;
  try {
    profiles = LoadProfileStore(StorePathBeside(services.Paths), services.StoreFiles);
  } catch (const TStoreReadError& error) {
    return "Ardenix: " + std::string(error.what());
  }
  // In the window's list order.
  std::stable_sort(profiles.begin(), profiles.end(),
                   [](const TProfileEntry& a, const TProfileEntry& b) {
                     return CompareCaptions(a.Caption, b.Caption) < 0;
                   });
  return profiles;
}

int Fail(const std::string& line, int exitCode) {
  WriteLine(TStandardStream::Error, line);
  return exitCode;
}

// A verified apply binds the profile to its adapter (BindVerified), as the window does:
// the store is read again and written with that one change, unless a window holds the
// store (its own list would write over the change; it binds its entry when it applies).
void BindInStore(const std::string& caption, const TAdapterState& adapter,
                 TCoreServices& services) {
  const std::string path = StorePathBeside(services.Paths);
  TStoreInstance claim;
  if (!claim.ClaimIfFree(path)) return;
  TProfileList profiles = LoadProfileStore(path, services.StoreFiles);
  for (TProfileEntry& entry : profiles) {
    if (entry.Caption != caption) continue;
    if (BindVerified(entry.Profile, adapter)) SaveProfileStore(profiles, path, services.StoreFiles);
    return;
  }
}

int Apply(const std::string& caption, TCoreServices& services) {
  auto store = ReadStore(services);
  if (auto* problem = std::get_if<std::string>(&store)) return Fail(*problem, kApplyNoSuchProfile);
  const TProfileList& profiles = std::get<TProfileList>(store);
  auto found = std::find_if(profiles.begin(), profiles.end(),
                            [&](const TProfileEntry& entry) { return entry.Caption == caption; });
  if (found == profiles.end())
    return Fail("Ardenix: no connection named \"" + caption + "\" in " +
                    StorePathBeside(services.Paths) +
                    "; nothing was applied",
                kApplyNoSuchProfile);

  std::optional<TApplyReport> report;
  TApplyFollower follower(services.Adapters, [&](const TApplyReport& r) { report = r; });
  try {
    follower.Apply(found->Caption, found->Profile,
                   [&](const TNetInfo& script) { return services.Actions.Apply(script); });
  } catch (const TFileError& error) {
    return Fail("Ardenix: " + std::string(error.what()), kApplyNotStarted);
  }
  // The follower's timer lives on this thread's messages; no window is shown.
  MSG message;
  while (!report && GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (!report) return kApplyNotVerified;  // WM_QUIT came first
  WriteLine(TStandardStream::Output, report->Text);
  if (report->VerifiedOn) {
    try {
      BindInStore(found->Caption, *report->VerifiedOn, services);
    } catch (const std::exception& error) {
      WriteLine(TStandardStream::Error, "Ardenix: " + std::string(error.what()));
    }
  }
  return report->ExitCode;
}

int List(TCoreServices& services) {
  auto store = ReadStore(services);
  if (auto* problem = std::get_if<std::string>(&store)) return Fail(*problem, kApplyNoSuchProfile);
  const TProfileList& profiles = std::get<TProfileList>(store);
  std::vector<TNamedProfile> named;
  for (const TProfileEntry& entry : profiles)
    named.push_back({entry.Caption, NormalisedCopy(entry.Profile)});
  const TAdapterReading reading = profiles.empty() ? TAdapterReading{} : services.Adapters.Read();
  const std::vector<std::size_t> active = ActiveProfiles(named, reading);
  for (std::size_t i = 0; i < named.size(); ++i) {
    const bool isActive = std::find(active.begin(), active.end(), i) != active.end();
    std::string line =
        isActive ? "* " + named[i].Caption + " (active on " + named[i].Normalised.LAN + ")"
                 : "  " + named[i].Caption;
    if (AdapterOnProfileNetwork(reading, named[i].Normalised)) line += " (its network is here)";
    WriteLine(TStandardStream::Output, line);
  }
  return 0;
}

}  // namespace

// Whatever goes wrong is said on standard error: a message box would hold up the script
// that started the program until someone closes it.
std::optional<int> RunCommandLine(const TCommand& command, TCoreServices services) {
  try {
    switch (command.Kind) {
      case TCommandKind::Apply:
        return Apply(command.Caption, services);
      case TCommandKind::List:
        return List(services);
      default:
        return std::nullopt;
    }
  } catch (const std::exception& error) {
    return Fail("Ardenix: " + std::string(error.what()),
                command.Kind == TCommandKind::Apply ? kApplyNotVerified : kApplyNoSuchProfile);
  }
}
