#include "NetworkWatchSchedule.h"

#include <algorithm>

TNetworkWatchSchedule::TStep TNetworkWatchSchedule::Arm(unsigned timerMs, bool report) {
  armedMs_ = timerMs;
  return {report, true, timerMs};
}

TNetworkWatchSchedule::TStep TNetworkWatchSchedule::Noticed(long long now) {
  lastNotice_ = now;
  if (inBurst_) return {};  // the burst's timer is running; its end looks at this notice
  inBurst_ = true;
  burstStart_ = now;
  return Arm(kQuietMs);
}

TNetworkWatchSchedule::TStep TNetworkWatchSchedule::TimerElapsed(long long now) {
  if (!inBurst_) {
    if (FallbackInUse()) return {true, false, armedMs_};
    // A tick of a timer stopped meanwhile (its message was already queued).
    return armedMs_ == 0 ? TStep{} : Arm(0);
  }
  const long long due = std::min(lastNotice_ + kQuietMs, burstStart_ + kLongestWaitMs);
  // A tick may come a little early (the system's timer resolution): the rest is waited.
  if (now < due) return Arm(static_cast<unsigned>(due - now));
  inBurst_ = false;
  return Arm(IdleTimerMs(), true);
}

TNetworkWatchSchedule::TStep TNetworkWatchSchedule::SetWanted(bool wanted) {
  wanted_ = wanted;
  // A burst's end arms what idle needs.
  if (inBurst_ || armedMs_ == IdleTimerMs()) return {};
  return Arm(IdleTimerMs());
}
