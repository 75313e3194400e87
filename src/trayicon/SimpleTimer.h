#pragma once

#include <windows.h>

#include <memory>

#include "Events.h"
#include "ForwardingWindow.h"
#include "LiveObjectTable.h"
#include "SharedHandlerSlot.h"

// A light interval timer on the GUI thread: calls OnTimer every Interval milliseconds
// through a window timer of the one hidden window that all timers share.
//
// Enabled is the owner's wish, not a promise that a platform timer is armed:
//   Idle       Enabled false, nothing armed
//   Running    Enabled true, armed
//   Suspended  Enabled true, nothing armed (Interval set to 0, or OnTimer cleared);
//              setting Enabled true (or a new non-zero Interval) resumes it.
class TSimpleTimer : public TObject {
 public:
  TSimpleTimer();  // 1000 ms, no handler
  TSimpleTimer(UINT interval, TNotifyEvent onTimer);
  ~TSimpleTimer() override;

  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool value);
  UINT Interval() const { return Interval_; }
  // The same value again leaves a running period alone; another one restarts it.
  void SetInterval(UINT value);
  bool OneShot() const { return OneShot_; }
  // A one-shot timer is disabled before its handler runs, which may enable it again.
  void SetOneShot(bool value) { OneShot_ = value; }
  const TNotifyEvent& OnTimer() const { return OnTimer_; }
  // Clearing the handler of an enabled timer suspends it; a new handler does not resume.
  void SetOnTimer(TNotifyEvent value);

  // Arms the platform timer (the period starts now). False, with nothing changed, for
  // interval 0; false and Idle when the system refuses.
  bool Activate();
  // Disarms the platform timer, clearing Enabled when asked. False when nothing was armed.
  bool Deactivate(bool clearEnabled);

  // The identifier handed to SetTimer: unique among live timers, never reused while the
  // shared window lives.
  UINT_PTR TimerId() const { return TimerId_; }

 private:
  friend class TSimpleTimerHandler;
  void Tick();

  UINT_PTR TimerId_ = 0;
  bool Enabled_ = false;
  UINT Interval_ = 1000;
  bool OneShot_ = false;
  TNotifyEvent OnTimer_;
};

// The hidden window that receives every timer's WM_TIMER, with the table of live timers
// that turns a tick's identifier back into its timer. A tick for an identifier that is no
// longer in the table (a WM_TIMER still queued when its timer went away) is dropped.
class TSimpleTimerHandler {
 public:
  TSimpleTimerHandler();
  ~TSimpleTimerHandler();
  TSimpleTimerHandler(const TSimpleTimerHandler&) = delete;
  TSimpleTimerHandler& operator=(const TSimpleTimerHandler&) = delete;

  unsigned UserCount() const { return UserCount_; }
  HWND Window() const;
  bool Dispatching() const { return Timers_.Dispatching(); }

  // Adds a timer to the table and returns its identifier.
  UINT_PTR Register(TSimpleTimer& timer);
  void Unregister(UINT_PTR timerId);

 private:
  friend class TSharedHandlerSlot<TSimpleTimerHandler>;
  friend class TForwardingWindow<TSimpleTimerHandler>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  unsigned UserCount_ = 0;
  std::unique_ptr<TForwardingWindow<TSimpleTimerHandler>> Window_;
  TLiveObjectTable<UINT_PTR, TSimpleTimer> Timers_;
};

// The one timer window of the process, alive while any TSimpleTimer lives.
extern TSharedHandlerSlot<TSimpleTimerHandler> SharedTimerHandler;
