#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>

#include "NetworkChangeNotices.h"
#include "NetworkWatchSchedule.h"
#include "SimpleTimer.h"
#include "UtilityWindow.h"

// Tells its owner, on the user-interface thread, that the network may have changed: once
// after each burst of the system's notices has gone quiet, or every 2 s where the system
// gives no notices and the owner wants it (TNetworkWatchSchedule decides when).
//
// The notices arrive on the system's threads; each only posts a message to the watch's
// own hidden window (one message at a time is enough: it stands for all that come before
// it is handled). Destroying the watch first stops the posting, then withdraws the
// registrations, which waits for a notice that is running; so nothing is posted to the
// window once it is gone, and nothing is called afterwards.
class TNetworkWatch {
 public:
  using TChanged = std::function<void()>;
  // Milliseconds that only grow; GetTickCount64 unless a test gives its own.
  using TClock = std::function<long long()>;

  // Registers for the notices at once; `onChanged` is called from the message loop.
  TNetworkWatch(std::unique_ptr<INetworkChangeNotices> notices, TChanged onChanged,
                TClock clock = {});
  ~TNetworkWatch();
  TNetworkWatch(const TNetworkWatch&) = delete;
  TNetworkWatch& operator=(const TNetworkWatch&) = delete;

  // Whether anything asks for the network (a profile to be offered or switched to). Only
  // the fallback depends on it: without notices, nothing is looked at unless wanted.
  void SetWanted(bool wanted);

  bool NoticesWork() const { return schedule_.NoticesWork(); }
  // Changes are looked for every 2 s (the system gives no notices and something asks).
  bool FallbackInUse() const { return schedule_.FallbackInUse(); }
  // The one timer: armed only for a burst's quiet moment and for the fallback.
  const TSimpleTimer& Timer() const { return timer_; }

 private:
  static constexpr UINT kNoticeMessage = WM_APP + 1;

  // What the system's threads share with the window: where to post, and whether a posted
  // message is still waiting.
  struct TPostTarget {
    std::mutex lock;
    HWND window = nullptr;
    bool posted = false;
  };

  void PostNotice();
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Follow(const TNetworkWatchSchedule::TStep& step);
  long long Now() const;

  TChanged onChanged_;
  TClock clock_;
  TPostTarget target_;
  TUtilityWindow window_;
  TSimpleTimer timer_;
  std::unique_ptr<INetworkChangeNotices> notices_;
  TNetworkWatchSchedule schedule_;
};
