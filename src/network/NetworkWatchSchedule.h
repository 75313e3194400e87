#pragma once

// When the network watch tells its owner that the network may have changed, on one timer.
//
// The system's notices of a change come in bursts (the interface, its address and its
// route, each from a thread of the system's): the watch waits until a burst has been quiet
// for kQuietMs and then tells once, but never later than kLongestWaitMs after the burst's
// first notice, so that a network that keeps changing is still read while it does.
// Where the system gives no notices, the watch tells every kFallbackMs instead, but only
// while a reading is wanted. Otherwise nothing is armed between bursts: the watch costs
// no wake-up while the computer sits idle.
//
// Times are milliseconds of a clock that only grows. Each event answers what to do now.
class TNetworkWatchSchedule {
 public:
  static constexpr unsigned kQuietMs = 500;
  static constexpr unsigned kLongestWaitMs = 1000;
  static constexpr unsigned kFallbackMs = 2000;

  struct TStep {
    bool Report = false;  // tell the owner now
    bool Rearm = false;   // stop the timer, then start it anew for TimerMs unless that is 0
    unsigned TimerMs = 0;
    bool operator==(const TStep&) const = default;
  };

  // `noticesWork`: the system took every registration and will call back on a change.
  explicit TNetworkWatchSchedule(bool noticesWork) : noticesWork_(noticesWork) {}

  // A notice of the system's arrived.
  TStep Noticed(long long now);
  // The timer elapsed (its period, once or again).
  TStep TimerElapsed(long long now);
  // Whether anything asks for the network to be watched; asking again what is already
  // asked changes nothing (the fallback's period is not restarted).
  TStep SetWanted(bool wanted);

  bool NoticesWork() const { return noticesWork_; }
  // The adapters are looked at every kFallbackMs because the system gives no notices.
  bool FallbackInUse() const { return !noticesWork_ && wanted_; }

 private:
  unsigned IdleTimerMs() const { return FallbackInUse() ? kFallbackMs : 0; }
  TStep Arm(unsigned timerMs, bool report = false);

  bool noticesWork_;
  bool wanted_ = false;
  bool inBurst_ = false;
  long long burstStart_ = 0;
  long long lastNotice_ = 0;
  unsigned armedMs_ = 0;  // what the timer runs for now; 0: stopped
};
