#include "TimerMessageCount.h"

#include <windows.h>

#include <fstream>

namespace {

unsigned long long Count = 0;

// Runs as the program ends, after the message loop and every timer are gone.
struct TReportAtExit {
  TReportAtExit() = default;
  TReportAtExit(const TReportAtExit&) = delete;
  TReportAtExit& operator=(const TReportAtExit&) = delete;
  ~TReportAtExit() {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("ARDENIX_TIMER_COUNT_FILE", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    std::ofstream(path) << Count << '\n';
  }
} ReportAtExit;

}  // namespace

void CountTimerMessage() {
  ++Count;
}

unsigned long long TimerMessagesHandled() {
  return Count;
}
