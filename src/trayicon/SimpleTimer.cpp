#include "SimpleTimer.h"

#include "TimerMessageCount.h"

TSharedHandlerSlot<TSimpleTimerHandler> SharedTimerHandler;

TSimpleTimerHandler::TSimpleTimerHandler()
    : Window_(std::make_unique<TForwardingWindow<TSimpleTimerHandler>>(*this)) {}

TSimpleTimerHandler::~TSimpleTimerHandler() = default;

HWND TSimpleTimerHandler::Window() const {
  return Window_->Handle();
}

UINT_PTR TSimpleTimerHandler::Register(TSimpleTimer& timer) {
  return Timers_.Add(timer);
}

void TSimpleTimerHandler::Unregister(UINT_PTR timerId) {
  Timers_.Remove(timerId);
}

LRESULT TSimpleTimerHandler::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER) return Window_->DefaultHandling(message, wParam, lParam);
  CountTimerMessage();
  Timers_.Dispatch(static_cast<UINT_PTR>(wParam), [](TSimpleTimer& timer) { timer.Tick(); });
  return 0;
}

TSimpleTimer::TSimpleTimer() : TSimpleTimer(1000, nullptr) {}

TSimpleTimer::TSimpleTimer(UINT interval, TNotifyEvent onTimer) : Interval_(interval) {
  SetOnTimer(std::move(onTimer));
  TimerId_ = SharedTimerHandler.Attach().Register(*this);
}

TSimpleTimer::~TSimpleTimer() {
  if (Enabled_) Deactivate(true);
  if (TSimpleTimerHandler* handler = SharedTimerHandler.Get()) handler->Unregister(TimerId_);
  SharedTimerHandler.Detach();
}

void TSimpleTimer::SetEnabled(bool value) {
  if (value)
    Activate();
  else
    Deactivate(true);
}

void TSimpleTimer::SetInterval(UINT value) {
  if (value == Interval_) return;
  Interval_ = value;
  if (!Enabled_) return;
  if (value != 0)
    Activate();
  else
    Deactivate(false);
}

void TSimpleTimer::SetOnTimer(TNotifyEvent value) {
  OnTimer_ = std::move(value);
  if (!OnTimer_ && Enabled_) Deactivate(false);
}

bool TSimpleTimer::Activate() {
  if (Interval_ == 0) return false;
  if (Enabled_) Deactivate(true);
  TSimpleTimerHandler* handler = SharedTimerHandler.Get();
  if (!handler || SetTimer(handler->Window(), TimerId_, Interval_, nullptr) == 0) return false;
  Enabled_ = true;
  return true;
}

bool TSimpleTimer::Deactivate(bool clearEnabled) {
  if (clearEnabled) Enabled_ = false;
  TSimpleTimerHandler* handler = SharedTimerHandler.Get();
  return handler && KillTimer(handler->Window(), TimerId_) != 0;
}

void TSimpleTimer::Tick() {
  if (OneShot_) Deactivate(true);
  if (!OnTimer_) return;
  // A copy: the handler may destroy this timer, and with it OnTimer_.
  const TNotifyEvent handler = OnTimer_;
  handler(this);
}
