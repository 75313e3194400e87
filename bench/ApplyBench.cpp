// bench/run apply: how quickly an apply starts netsh and how quickly its report follows
// netsh's end, in this process with the program's own parts (TProfileActions with the
// real files, paths and shell start, TApplyFollower with the real adapter reading). The
// system's netsh is replaced for the run by the stand-in (tests/support), which exits at
// once; the profile is the host's adapter as it is now, so every apply is verified at the
// first reading. Median of kRuns:
//   1. the apply call (script written, netsh started), and of it the shell's own start
//      (ShellExecuteExA): the difference is our own work, target kOwnStartTargetMs;
//   2. from netsh's end (the process's exit time) to the report, target kReportTargetMs.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ApplyFollower.h"
#include "CurrentSettings.h"
#include "ProfileActions.h"
#include "Win32AdapterSource.h"
#include "Win32ConsoleCodePage.h"
#include "Win32FileSystem.h"
#include "Win32ProgramStarter.h"
#include "Win32SaveNameAsker.h"
#include "Win32SystemPaths.h"

namespace {

using TClock = std::chrono::steady_clock;
constexpr int kRuns = 20;
constexpr double kOwnStartTargetMs = 10.0;
constexpr double kReportTargetMs = 250.0;

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double Ms(TClock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// System time in 100 ns units, comparable with a process's exit time.
long long SystemTimeNow() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return (static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

std::optional<long long> ExitTimeOf(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
  return (static_cast<long long>(exited.dwHighDateTime) << 32) | exited.dwLowDateTime;
}

std::string SystemNetsh() {
  char directory[MAX_PATH] = {};
  GetSystemDirectoryA(directory, sizeof directory);
  return std::string(directory) + "\\netsh.exe";
}

// The stand-in in place of the system's netsh while it lives; the original comes back.
// Wine runs the file instead of its own netsh only with an override, which a process
// takes from the environment it was started with or from the registry when it starts: set
// in this process's environment it would reach no child, so the prefix's registry holds
// it for the run.
class TNetshStandIn {
  static constexpr const char* kOverrides = "Software\\Wine\\DllOverrides";

 public:
  explicit TNetshStandIn(const std::string& standIn) : saved_(SystemNetsh() + ".ardenix-bench") {
    CopyFileA(SystemNetsh().c_str(), saved_.c_str(), TRUE);
    ok_ = CopyFileA(standIn.c_str(), SystemNetsh().c_str(), FALSE) != FALSE;
    static const char kNative[] = "native";
    RegSetKeyValueA(HKEY_CURRENT_USER, kOverrides, "netsh.exe", REG_SZ, kNative, sizeof kNative);
  }
  ~TNetshStandIn() {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kOverrides, "netsh.exe");
    CopyFileA(saved_.c_str(), SystemNetsh().c_str(), FALSE);
    DeleteFileA(saved_.c_str());
  }
  bool Ok() const { return ok_; }

 private:
  std::string saved_;
  bool ok_ = false;
};

// The adapter with a gateway (the one the host reaches the world by), else the first
// one with an address.
const TAdapterState* HostAdapter(const TAdapterReading& reading) {
  const TAdapterState* chosen = nullptr;
  for (const TAdapterState& adapter : reading.Adapters) {
    if (adapter.Addresses.empty()) continue;
    if (!adapter.Gateways.empty()) return &adapter;
    if (!chosen) chosen = &adapter;
  }
  return chosen;
}

void Pump(const std::function<bool()>& done) {
  MSG message;
  while (!done() && GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // CMake names the stand-in by its Unix path; Wine shows the Unix root as Z:.
  std::string standIn = argc > 1 ? argv[1] : "Z:" ARDENIX_NETSH_STANDIN;
  std::replace(standIn.begin(), standIn.end(), '/', '\\');
  // netsh inherits the name of the record the stand-in writes.
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string record = std::string(temp) + "ardenix-bench-netsh.record";
  SetEnvironmentVariableA("ARDENIX_NETSH_RECORD", record.c_str());
  TNetshStandIn netsh(standIn);
  if (!netsh.Ok()) {
    std::printf("the stand-in netsh could not be put in place (%s)\n", standIn.c_str());
    return 1;
  }

  TWin32AdapterSource adapters;
  const TAdapterReading reading = adapters.Read();
  const TAdapterState* host = HostAdapter(reading);
  if (!host) {
    std::printf("no adapter with an address to build the profile from\n");
    return 1;
  }
  TNetInfo profile = CurrentSettings(*host);
  profile.DHCP = false;

  // The shell's start timed on its own; the process handle kept to learn its exit time.
  double shellMs = 0;
  HANDLE lastProcess = nullptr;
  TWin32SystemPaths paths;
  TWin32FileSystem files;
  TWin32SaveNameAsker asker([] { return HWND{}; });
  TWin32ProgramStarter starter([] { return HWND{}; }, {},
                               [&](SHELLEXECUTEINFOA& info) {
                                 const auto start = TClock::now();
                                 const BOOL started = ShellExecuteExA(&info);
                                 shellMs = Ms(TClock::now() - start);
                                 if (started && info.hProcess)
                                   DuplicateHandle(GetCurrentProcess(), info.hProcess,
                                                   GetCurrentProcess(), &lastProcess, 0, FALSE,
                                                   DUPLICATE_SAME_ACCESS);
                                 return started;
                               });
  TWin32ConsoleCodePage console;
  TProfileActions actions(files, paths, starter, asker, console);

  std::optional<TApplyReport> report;
  long long reportedAt = 0;
  TApplyFollower follower(adapters, [&](const TApplyReport& r) {
    reportedAt = SystemTimeNow();
    report = r;
  });

  std::vector<double> applyCalls, shellStarts, ownWork, endToReport;
  for (int run = 0; run < kRuns; ++run) {
    report.reset();
    const auto start = TClock::now();
    TStartResult started = actions.Apply(profile);
    const double applyMs = Ms(TClock::now() - start);
    if (!started.Started) {
      std::printf("netsh could not be started: %s\n", started.ErrorText.c_str());
      return 1;
    }
    follower.Follow("Bench", profile, std::move(started));
    Pump([&] { return report.has_value(); });
    const std::optional<long long> exitedAt = lastProcess ? ExitTimeOf(lastProcess) : std::nullopt;
    if (lastProcess) CloseHandle(lastProcess);
    lastProcess = nullptr;
    if (report->ExitCode != kApplyVerified || !exitedAt) {
      std::printf("run %d: not verified: %s\n", run, report->Text.c_str());
      return 1;
    }
    applyCalls.push_back(applyMs);
    shellStarts.push_back(shellMs);
    ownWork.push_back(applyMs - shellMs);
    endToReport.push_back(static_cast<double>(reportedAt - *exitedAt) / 10000.0);
  }
  // Wine's own netsh would do as well for the times, but then the runs did not start
  // what the program starts.
  const bool standInRan = GetFileAttributesA(record.c_str()) != INVALID_FILE_ATTRIBUTES;
  DeleteFileA(record.c_str());
  if (!standInRan) {
    std::printf("the stand-in netsh did not run\n");
    return 1;
  }

  const double own = Median(ownWork);
  const double toReport = Median(endToReport);
  std::printf("profile: %s on %s (the host's adapter as it is)\n",
              NormalisedCopy(profile).IP.c_str(), profile.LAN.c_str());
  std::printf("report: %s\n", report->Text.c_str());
  std::printf("apply call (script written, netsh started), median of %d: %.2f ms\n", kRuns,
              Median(applyCalls));
  std::printf("  of which the shell's start (ShellExecuteExA): %.2f ms\n", Median(shellStarts));
  std::printf("  our own work before netsh starts: %.2f ms (slowest %.2f)\n", own,
              *std::max_element(ownWork.begin(), ownWork.end()));
  std::printf("netsh's end to the report, median of %d: %.2f ms (slowest %.2f)\n", kRuns, toReport,
              *std::max_element(endToReport.begin(), endToReport.end()));
  const bool met = own < kOwnStartTargetMs && toReport < kReportTargetMs;
  std::printf(
      "target: under %.0f ms of our own work to start netsh, under %.0f ms from its end "
      "to the report: %s\n",
      kOwnStartTargetMs, kReportTargetMs, met ? "met" : "NOT met");
  return 0;
}
