// Idle benchmark (bench/run idle): what Ardenix with 1,000 profiles costs while it sits with
// its window open and nobody uses it, next to the controls window (Ardenix's window and
// controls in plain Win32, no timer, no program logic) started the same way.
//
// Each program is started, given a few seconds to settle, then left alone for a stretch
// with the pointer far from the notification area, and closed; then started anew and left
// for a stretch with the pointer resting on Ardenix's tray icon (the controls window has no
// icon: the pointer rests at the same place). For each stretch it prints the program's
// processor time (user + kernel; under Wine fields 14 and 15 of its /proc/PID/stat), the
// Wine server's over the same stretch (it works for every Wine program, this one's share
// included; n/a outside Wine), and the timer messages the program handled over its life: Ardenix writes that count, as it ends, to the file
// named by ARDENIX_TIMER_COUNT_FILE; the controls window has no timer (n/a).
// A last stretch, pointer away, gives Ardenix the same store plus one profile set to switch
// by itself on its network: where the system gives no notices of a change (Wine), Ardenix
// then reads the adapters every 2 s, and the row shows what that costs, with its timer
// messages per minute of the program's life.
//
//   bench_idle [seconds per stretch (default 30) [Ardenix.exe [bench_controls_window.exe]]]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchProgram.h"

namespace {

std::string ReadFirstLine(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

std::vector<std::string> NulSeparated(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> fields;
  std::string field;
  while (std::getline(file, field, '\0')) fields.push_back(field);
  return fields;
}

// Under Wine every program is a Unix process, and Wine shows the Unix root as drive Z:.
// Finds the /proc/PID/stat of the process of this Wine session (started with this
// session's WINEPREFIX: other sessions may run on the machine) that `wanted` picks by its
// /proc folder. Empty when there is none, and outside Wine.
template <typename TWanted>
std::string SessionProcessStat(TWanted wanted) {
  const char* prefix = std::getenv("WINEPREFIX");
  if (!prefix) return {};
  const std::string sessionPrefix = std::string("WINEPREFIX=") + prefix;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return {};
  std::string found;
  do {
    if (entry.cFileName[0] < '1' || entry.cFileName[0] > '9') continue;
    const std::string folder = std::string("Z:\\proc\\") + entry.cFileName + "\\";
    if (!wanted(folder)) continue;
    const std::vector<std::string> environment = NulSeparated(folder + "environ");
    if (std::find(environment.begin(), environment.end(), sessionPrefix) != environment.end())
      found = folder + "stat";
  } while (found.empty() && FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

std::string WineServerStat() {
  return SessionProcessStat([](const std::string& folder) {
    return ReadFirstLine(folder + "comm").rfind("wineserver", 0) == 0;
  });
}

// A program started by a Wine program runs as a Unix process whose first argument is its
// Windows path.
std::string ProgramStat(const std::string& program) {
  return SessionProcessStat([&](const std::string& folder) {
    const std::vector<std::string> arguments = NulSeparated(folder + "cmdline");
    return !arguments.empty() && lstrcmpiA(arguments[0].c_str(), program.c_str()) == 0;
  });
}

// Fields 14 and 15 (user and system time, in clock ticks of 10 ms) of /proc/PID/stat.
double StatSeconds(const std::string& statPath) {
  const std::string stat = ReadFirstLine(statPath);
  const auto commandEnd = stat.rfind(')');
  if (commandEnd == std::string::npos) throw std::runtime_error("cannot read " + statPath);
  std::istringstream fields(stat.substr(commandEnd + 1));
  std::string field;
  double ticks = 0;
  for (int number = 3; number <= 15 && fields >> field; ++number) {
    if (number >= 14) ticks += std::atof(field.c_str());
  }
  return ticks / 100.0;
}

double Seconds(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 1e7;
}

// The program's processor time (user and kernel). Under Wine from /proc: there Wine 8's
// GetProcessTimes of another process reported no time for a program that /proc showed busy.
double ProcessorSeconds(const TStartedProgram& started, const std::string& statPath) {
  if (!statPath.empty()) return StatSeconds(statPath);
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(started.process.Get(), &created, &ended, &kernel, &user))
    throw std::runtime_error("GetProcessTimes failed");
  return Seconds(kernel) + Seconds(user);
}

// The screen centre of the first icon in Wine's own notification area (the "Wine System
// Tray" window shown when no desktop shell hosts icons).
POINT TrayIconCentre() {
  const HWND tray = FindWindowA(nullptr, "Wine System Tray");
  HWND icon = tray ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr;
  RECT rect{};
  if (!icon || !GetWindowRect(icon, &rect)) throw std::runtime_error("no tray icon found");
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT FarCorner() {
  return {GetSystemMetrics(SM_CXSCREEN) - 10, GetSystemMetrics(SM_CYSCREEN) - 10};
}

struct TStretch {
  std::string program;
  std::string pointer;
  double programSeconds;
  double serverSeconds;       // < 0: not measured
  long long timerMessages;    // < 0: the program keeps no count
  double lifeSeconds;         // from its start to its end
};

struct TSubject {
  std::string name;
  std::string program;
  bool countsTimerMessages;
};

constexpr DWORD kSettleMs = 3000;

TStretch Sit(const TSubject& subject, bool onIcon, POINT& iconCentre, DWORD stretchMs,
             const std::string& serverStat, const std::string& countFile) {
  DeleteFileA(countFile.c_str());
  const POINT away = FarCorner();
  SetCursorPos(away.x, away.y);
  const ULONGLONG startedAt = GetTickCount64();
  const TStartedProgram started = StartProgram(subject.program);
  Sleep(kSettleMs);
  if (onIcon) {
    if (subject.countsTimerMessages) iconCentre = TrayIconCentre();
    // Two steps, so that the icon's window sees the pointer move onto it.
    SetCursorPos(iconCentre.x - 1, iconCentre.y);
    Sleep(50);
    SetCursorPos(iconCentre.x, iconCentre.y);
    Sleep(200);
  }
  const std::string programStat = ProgramStat(subject.program);
  if (!serverStat.empty() && programStat.empty())
    throw std::runtime_error("no Unix process found for " + subject.program);
  const double programBefore = ProcessorSeconds(started, programStat);
  const double serverBefore = serverStat.empty() ? 0 : StatSeconds(serverStat);
  Sleep(stretchMs);
  const double programSeconds = ProcessorSeconds(started, programStat) - programBefore;
  const double serverSeconds = serverStat.empty() ? -1 : StatSeconds(serverStat) - serverBefore;
  SetCursorPos(away.x, away.y);
  CloseProgram(started, subject.program);
  const double lifeSeconds = static_cast<double>(GetTickCount64() - startedAt) / 1000.0;
  long long timerMessages = -1;
  if (subject.countsTimerMessages) {
    const std::string count = ReadFirstLine(countFile);
    if (count.empty()) throw std::runtime_error(subject.name + " wrote no timer count");
    timerMessages = std::atoll(count.c_str());
  }
  return {subject.name, onIcon ? "on the icon" : "away", programSeconds, serverSeconds,
          timerMessages, lifeSeconds};
}

std::string SecondsText(double seconds) {
  if (seconds < 0) return "n/a";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", seconds);
  return text;
}

std::string CountText(long long count) {
  return count < 0 ? "n/a" : std::to_string(count);
}

// One more profile, set to switch by itself when its network is here.
void AddSwitchingProfile(const std::string& store) {
  std::ofstream file(store, std::ios::binary | std::ios::app);
  file << "[Switching profile]\r\nLAN=Local Area Connection\r\nDHCP=1\r\nOnNetwork=switch\r\n";
  if (!file) throw std::runtime_error("cannot write " + store);
}

// What the clock ticks of a process's times can tell apart over a stretch: a few ticks of
// 10 ms.
constexpr double kNoiseSeconds = 0.05;

}  // namespace

int main(int argc, char** argv) {
  try {
    auto argument = [&](int index, const char* fallback) {
      return std::string(argc > index && argv[index][0] ? argv[index] : fallback);
    };
    const int seconds = std::max(1, std::atoi(argument(1, "30").c_str()));
    const std::string ardenixSource = WindowsPath(argument(2, ARDENIX_EXE));
    const std::string controlsSource = WindowsPath(argument(3, CONTROLS_WINDOW_EXE));

    const std::string folder = MakeFolder("ardenix-bench-idle");
    const std::string ardenix = folder + FileNameOf(ardenixSource);
    const std::string controls = folder + FileNameOf(controlsSource);
    if (!CopyFileA(ardenixSource.c_str(), ardenix.c_str(), FALSE) ||
        !CopyFileA(controlsSource.c_str(), controls.c_str(), FALSE))
      throw std::runtime_error("cannot copy the programs to " + folder);
    const std::string store = ReplaceExtension(ardenix, ".INI");
    const std::string countFile = folder + "timer-count.txt";
    SetEnvironmentVariableA("ARDENIX_TIMER_COUNT_FILE", countFile.c_str());
    const std::string serverStat = WineServerStat();

    const std::vector<TSubject> subjects{{"ardenix-1000", ardenix, true},
                                         {"controls-window", controls, false}};
    POINT iconCentre{};
    std::vector<TStretch> stretches;
    for (bool onIcon : {false, true}) {
      for (const TSubject& subject : subjects) {
        WriteStore(store, 1000, false);  // closing Ardenix rewrites it
        stretches.push_back(Sit(subject, onIcon, iconCentre, seconds * 1000u, serverStat,
                                countFile));
      }
    }
    WriteStore(store, 1000, false);
    AddSwitchingProfile(store);
    stretches.push_back(Sit({"ardenix-switch", ardenix, true}, false, iconCentre,
                            seconds * 1000u, serverStat, countFile));
    DeleteFileA(store.c_str());
    DeleteFileA(countFile.c_str());
    DeleteFileA(ardenix.c_str());
    DeleteFileA(controls.c_str());
    RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str());

    std::printf("idle for %d s with the main window open, after %lu ms to settle\n\n", seconds,
                kSettleMs);
    std::printf("%-16s %-12s %14s %16s %16s\n", "program", "pointer", "processor s",
                "Wine server s", "timer messages");
    for (const TStretch& s : stretches) {
      std::printf("%-16s %-12s %14s %16s %16s\n", s.program.c_str(), s.pointer.c_str(),
                  SecondsText(s.programSeconds).c_str(), SecondsText(s.serverSeconds).c_str(),
                  CountText(s.timerMessages).c_str());
    }
    const TStretch& switching = stretches.back();
    std::printf("\nardenix-switch: the 1,000 profiles plus one set to switch by itself; where "
                "the system gives no notices of a change (Wine) Ardenix reads the adapters "
                "every 2 s: %lld timer messages over %.1f s of life, %.1f per minute; "
                "%.2f s of processor time over the %d s stretch (%.2f %% of a core)\n",
                switching.timerMessages, switching.lifeSeconds,
                60.0 * static_cast<double>(switching.timerMessages) / switching.lifeSeconds,
                switching.programSeconds, seconds, 100.0 * switching.programSeconds / seconds);
    const TStretch& ardenixAway = stretches[0];
    const TStretch& controlsAway = stretches[1];
    const bool met = ardenixAway.timerMessages == 0 &&
                     ardenixAway.programSeconds <= controlsAway.programSeconds + kNoiseSeconds;
    std::printf("\npointer away: Ardenix %lld timer messages, %.2f s against the controls "
                "window's %.2f s (target: 0 timer messages and at most %.2f s more): %s\n",
                ardenixAway.timerMessages, ardenixAway.programSeconds,
                controlsAway.programSeconds, kNoiseSeconds, met ? "met" : "NOT met");
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_idle: %s\n", error.what());
    return 1;
  }
}
