#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AdapterSource.h"
#include "ApplyNotice.h"
#include "ApplyRun.h"
#include "NetInfo.h"
#include "ProgramStarter.h"
#include "SimpleTimer.h"

// Follows an apply from netsh's start to its report on the user-interface thread, never
// waiting: a timer of kPollMs looks at the process and, once it has ended, reads the
// adapters when the run asks, until the run reports. The timer runs only while a run is
// pending. One run at a time: a newer apply replaces the pending one, whose report is
// never given. A started program is kept (with whatever it holds, such as its script)
// until it ends or its kNetshLimitMs are over, also when its run was replaced; then it is
// let go of (not ended). A start that failed is reported without touching a pending run.
// Destroying the follower does not wait for anything either. Every report of an apply is
// given as its reason has it shown (ReportFor).
class TApplyFollower {
 public:
  static constexpr UINT kPollMs = 100;

  using TReportEvent = std::function<void(const TApplyReport&)>;
  // The run that is pending from netsh's start to its report: what it applies and where.
  struct TPending {
    std::string Caption;
    std::string Adapter;  // the name netsh was given
    TApplyReason Reason = TApplyReason::User;
  };
  // Milliseconds that only grow; GetTickCount64 unless a test gives its own.
  using TClock = std::function<long long()>;

  TApplyFollower(IAdapterSource& adapters, TReportEvent onReport, TClock clock = {});
  ~TApplyFollower();
  TApplyFollower(const TApplyFollower&) = delete;
  TApplyFollower& operator=(const TApplyFollower&) = delete;

  // Writes the script of the profile it is given and starts netsh; what it throws passes
  // through Apply.
  using TStart = std::function<TStartResult(const TNetInfo&)>;

  // Applies `profile` (as stored), titled `caption`. An apply that netsh must not be given
  // or that could change nothing (PrepareApply, which reads the adapters' names once)
  // is reported at once, inside this call, with nothing written, no elevation prompt and
  // the pending run left alone.
  // Otherwise `start` runs on the profile with its adapter's current name, and its start
  // is followed (verified against the profile as stored, identity and all).
  void Apply(const std::string& caption, const TNetInfo& profile, const TStart& start,
             TApplyReason reason = TApplyReason::User);

  // Follows the start of netsh for `profile` (as stored; it is verified against its
  // normalised copy), titled `caption`, on the adapter named `adapter` (none: the
  // profile's LAN). A start that failed reports at once, inside this call.
  void Follow(const std::string& caption, const TNetInfo& profile, TStartResult start,
              TApplyReason reason = TApplyReason::User, const std::string* adapter = nullptr);

  bool Pending() const { return run_ != nullptr; }
  // The pending run, or null.
  const TPending* PendingRun() const { return run_ ? &pending_ : nullptr; }
  // Raised once a started netsh is being followed (PendingRun is set), before any report
  // of it; a report that ends the run comes with PendingRun null.
  std::function<void(const TPending&)> OnPending;
  const TSimpleTimer& Timer() const { return timer_; }

 private:
  // A replaced run's program, kept until it ends or its time is over.
  struct TReplacedProgram {
    std::unique_ptr<IStartedProgram> Program;
    long long StartedAt = 0;
  };

  // Takes the run to its next wait. `mayRead`: this tick has read no adapters yet, so a
  // reading that is due may be taken now. One reading a tick at most: a slow reading (a
  // busy machine, hundreds of adapters) then holds up the window for one reading, never
  // for the run's whole settle time.
  void Advance(TApplyStep step, bool mayRead);
  // Gives the report as shown for `reason`.
  void Report(const TApplyReport& report, TApplyReason reason);
  void Poll();
  void LetGoOfEndedReplaced();
  void UpdateTimer();
  long long Now() const;

  IAdapterSource& adapters_;
  TReportEvent onReport_;
  TClock clock_;
  std::unique_ptr<TApplyRun> run_;
  TPending pending_;  // what run_ applies, while it is set
  std::unique_ptr<IStartedProgram> program_;
  long long programStartedAt_ = 0;
  std::vector<TReplacedProgram> replaced_;
  TApplyAction awaiting_ = TApplyAction::WaitForNetsh;
  long long readAt_ = 0;
  TSimpleTimer timer_;
};
