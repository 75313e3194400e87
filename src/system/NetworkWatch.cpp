#include "NetworkWatch.h"

#include <utility>

TNetworkWatch::TNetworkWatch(std::unique_ptr<INetworkChangeNotices> notices, TChanged onChanged,
                             TClock clock)
    : onChanged_(std::move(onChanged)),
      clock_(std::move(clock)),
      window_([this](UINT message, WPARAM wParam, LPARAM lParam) {
        return HandleMessage(message, wParam, lParam);
      }),
      timer_(TNetworkWatchSchedule::kQuietMs,
             [this](TObject*) { Follow(schedule_.TimerElapsed(Now())); }),
      notices_(std::move(notices)),
      schedule_(false) {
  timer_.SetEnabled(false);
  {
    std::lock_guard<std::mutex> guard(target_.lock);
    target_.window = window_.Handle();
  }
  schedule_ = TNetworkWatchSchedule(notices_->Start([this] { PostNotice(); }));
}

TNetworkWatch::~TNetworkWatch() {
  {
    std::lock_guard<std::mutex> guard(target_.lock);
    target_.window = nullptr;
  }
  notices_->Stop();
}

long long TNetworkWatch::Now() const {
  return clock_ ? clock_() : static_cast<long long>(GetTickCount64());
}

// On a thread of the system's.
void TNetworkWatch::PostNotice() {
  std::lock_guard<std::mutex> guard(target_.lock);
  if (!target_.window || target_.posted) return;
  target_.posted = PostMessageA(target_.window, kNoticeMessage, 0, 0) != FALSE;
}

LRESULT TNetworkWatch::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kNoticeMessage) return window_.DefaultHandling(message, wParam, lParam);
  {
    std::lock_guard<std::mutex> guard(target_.lock);
    target_.posted = false;
  }
  Follow(schedule_.Noticed(Now()));
  return 0;
}

void TNetworkWatch::SetWanted(bool wanted) {
  Follow(schedule_.SetWanted(wanted));
}

void TNetworkWatch::Follow(const TNetworkWatchSchedule::TStep& step) {
  if (step.Rearm) {
    timer_.SetEnabled(false);
    if (step.TimerMs != 0) {
      timer_.SetInterval(step.TimerMs);
      timer_.SetEnabled(true);
    }
  }
  if (step.Report && onChanged_) {
    // The handler may destroy the watch; a copy keeps it alive through the call.
    const TChanged onChanged = onChanged_;
    onChanged();
  }
}
