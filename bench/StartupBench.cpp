// Start-up benchmark: how long Ardenix.exe takes from CreateProcess until its main window
// is visible and its message loop idle, with a store of 0, 1,000 and 10,000 profiles
// beside it, next to a bare Win32 window program started the same way in the same run.
// Target: with 10,000 profiles at most 1.25 times the controls window's start.
// A second yardstick, the controls window, has Ardenix's window, controls and manifest and
// nothing else: what the system charges for such a window, whatever the program does.
//
//   bench_startup [Ardenix.exe [bench_bare_window.exe [runs [bench_controls_window.exe]]]]
//   ("" keeps a default)
//
// The stores are in caption order, as Ardenix saves them; 10,000 profiles are also started
// from a store in reverse order, which the list must sort. Each program is copied into a
// folder of its own under the temporary folder (the store lies beside the executable),
// started once to warm up and then `runs` times (default 7), taking turns with the others,
// each start after a pause that lets the system finish with the program before, and
// closed by posting WM_CLOSE to its main window. The store is written anew before every
// run, since closing Ardenix rewrites it. Prints the median and fastest start and the peak
// working set, and the ratios of the medians to the bare window's.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchProgram.h"

namespace {

struct TRun {
  double milliseconds;
  SIZE_T peakWorkingSet;
};

TRun StartAndClose(const std::string& program) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const TStartedProgram started = StartProgram(program);
  QueryPerformanceCounter(&end);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(started.process.Get(), &memory, sizeof memory);
  CloseProgram(started, program);
  const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart);
  return {ms, memory.PeakWorkingSetSize};
}

struct TSubject {
  std::string name;
  int profiles;  // < 0: no store is involved (the bare window)
  bool reversed;
  std::string folder;
  std::string program;
  std::vector<double> times;
  SIZE_T peakWorkingSet = 0;
};

// Copies the program into a folder of its own (the store lies beside it).
TSubject Prepare(const std::string& source, const std::string& name, int profiles,
                 bool reversed = false) {
  TSubject subject{name, profiles, reversed, MakeFolder("ardenix-bench-" + name), "", {}, 0};
  subject.program = subject.folder + FileNameOf(source);
  if (!CopyFileA(source.c_str(), subject.program.c_str(), FALSE))
    throw std::runtime_error("cannot copy " + source);
  return subject;
}

// The time the system is given, after a program has ended, to finish with it (its windows,
// its notification-area icon) before the next one starts, so that no start pays for the
// end of the one before.
constexpr DWORD kSettleMs = 300;

void RunOnce(TSubject& subject, bool record) {
  if (subject.profiles >= 0)
    WriteStore(ReplaceExtension(subject.program, ".INI"), subject.profiles, subject.reversed);
  Sleep(kSettleMs);
  const TRun result = StartAndClose(subject.program);
  if (!record) return;
  subject.times.push_back(result.milliseconds);
  subject.peakWorkingSet = std::max(subject.peakWorkingSet, result.peakWorkingSet);
}

void CleanUp(const TSubject& subject) {
  if (subject.profiles >= 0) DeleteFileA(ReplaceExtension(subject.program, ".INI").c_str());
  DeleteFileA(subject.program.c_str());
  RemoveDirectoryA(subject.folder.substr(0, subject.folder.size() - 1).c_str());
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  try {
    // An empty argument keeps the default.
    auto argument = [&](int index, const char* fallback) {
      return std::string(argc > index && argv[index][0] ? argv[index] : fallback);
    };
    const std::string ardenix = WindowsPath(argument(1, ARDENIX_EXE));
    const std::string bare = WindowsPath(argument(2, BARE_WINDOW_EXE));
    const int runs = argc > 3 && argv[3][0] ? std::max(1, std::atoi(argv[3])) : 7;
    const std::string controls = WindowsPath(argument(4, CONTROLS_WINDOW_EXE));

    std::vector<TSubject> subjects;
    subjects.push_back(Prepare(bare, "bare-window", -1));
    subjects.push_back(Prepare(controls, "controls-window", -1));
    for (int profiles : {0, 1000, 10000})
      subjects.push_back(Prepare(ardenix, "ardenix-" + std::to_string(profiles), profiles));
    subjects.push_back(Prepare(ardenix, "ardenix-10000-reversed", 10000, true));

    // One start of each first, so that the system's libraries are in the cache; then the
    // programs take turns, so that a slow moment of the machine falls on all of them.
    for (TSubject& subject : subjects) RunOnce(subject, false);
    for (int run = 0; run < runs; ++run) {
      for (TSubject& subject : subjects) RunOnce(subject, true);
    }
    for (const TSubject& subject : subjects) CleanUp(subject);

    const TSubject& base = subjects.front();
    const double baseMedian = Median(base.times);
    std::printf("start-up until the main window is visible and idle, %d runs each (median)\n\n",
                runs);
    std::printf("%-22s %10s %10s %14s %10s %10s\n", "program", "median ms", "fastest ms",
                "peak WS KiB", "time x", "memory x");
    for (const TSubject& subject : subjects) {
      const double median = Median(subject.times);
      std::printf("%-22s %10.1f %10.1f %14zu %10.2f %10.2f\n", subject.name.c_str(), median,
                  *std::min_element(subject.times.begin(), subject.times.end()),
                  static_cast<size_t>(subject.peakWorkingSet / 1024), median / baseMedian,
                  static_cast<double>(subject.peakWorkingSet) /
                      static_cast<double>(std::max<SIZE_T>(base.peakWorkingSet, 1)));
    }
    std::printf("\nevery run, in order (ms):\n");
    for (const TSubject& subject : subjects) {
      std::printf("%-22s", subject.name.c_str());
      for (double time : subject.times) std::printf(" %7.1f", time);
      std::printf("\n");
    }
    const TSubject& tenThousand = subjects[4];
    const double controlsMedian = Median(subjects[1].times);
    std::printf("\n10,000 profiles: %.2fx the bare window's start\n",
                Median(tenThousand.times) / baseMedian);
    std::printf("10,000 profiles stored in reverse order: %.2fx the bare window's start\n",
                Median(subjects[5].times) / baseMedian);
    std::printf("the controls window alone: %.2fx the bare window's start; Ardenix with 0 "
                "profiles: %.2fx the controls window's\n",
                controlsMedian / baseMedian, Median(subjects[2].times) / controlsMedian);
    // The controls window is the same window and controls with no logic: what is left
    // above it is Ardenix's own work before the window shows.
    const double ratio = Median(tenThousand.times) / controlsMedian;
    std::printf("10,000 profiles: %.2fx the controls window's start (target: at most 1.25x): %s\n",
                ratio, ratio <= 1.25 ? "met" : "NOT met");
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_startup: %s\n", error.what());
    return 1;
  }
}
