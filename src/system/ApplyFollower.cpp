#include "ApplyFollower.h"

#include <windows.h>

#include <utility>

TApplyFollower::TApplyFollower(IAdapterSource& adapters, TReportEvent onReport, TClock clock)
    : adapters_(adapters),
      onReport_(std::move(onReport)),
      clock_(std::move(clock)),
      timer_(kPollMs, [this](TObject*) { Poll(); }) {
  timer_.SetEnabled(false);
}

TApplyFollower::~TApplyFollower() = default;

long long TApplyFollower::Now() const {
  return clock_ ? clock_() : static_cast<long long>(GetTickCount64());
}

void TApplyFollower::Apply(const std::string& caption, const TNetInfo& profile, const TStart& start,
                           TApplyReason reason) {
  const TApplyStart prepared = PrepareApply(caption, profile, adapters_);
  if (prepared.Refusal) {
    Report(*prepared.Refusal, reason);
    return;
  }
  Follow(caption, profile, start(prepared.Script), reason, &prepared.Script.LAN);
}

void TApplyFollower::Follow(const std::string& caption, const TNetInfo& profile, TStartResult start,
                            TApplyReason reason, const std::string* adapter) {
  if (!start.Started) {
    // Nothing ran: the pending run, if any, goes on, and this one reports at once.
    TApplyRun failed(caption, NormalisedCopy(profile));
    Report(failed.StartFailed(start.Error, start.ErrorText).Report, reason);
    return;
  }
  // The pending run, if any, ends here without a word; its netsh may still be running on
  // its script.
  if (program_) replaced_.push_back({std::move(program_), programStartedAt_});
  program_ = std::move(start.Program);
  programStartedAt_ = Now();
  run_ = std::make_unique<TApplyRun>(caption, NormalisedCopy(profile));
  pending_ = TPending{caption, adapter ? *adapter : profile.LAN, reason};
  Advance(run_->Started(programStartedAt_), true);
  // The handler may start another apply: copies keep it and what it is told alive.
  if (run_ && OnPending) {
    const auto onPending = OnPending;
    const TPending pending = pending_;
    onPending(pending);
  }
}

void TApplyFollower::Report(const TApplyReport& report, TApplyReason reason) {
  // The handler may start the next apply; a copy keeps it alive through the call.
  const TReportEvent onReport = onReport_;
  if (onReport) onReport(ReportFor(reason, report));
}

void TApplyFollower::Advance(TApplyStep step, bool mayRead) {
  // netsh has ended or was given up: what it held is let go of before the readings.
  if (step.Action != TApplyAction::WaitForNetsh) program_.reset();
  // The first reading after netsh's end is due at once: taking it here saves a tick.
  if (mayRead && step.Action == TApplyAction::ReadAdapters && Now() >= step.ReadAt)
    step = run_->AdaptersRead(adapters_.Read());
  if (step.Action != TApplyAction::Report) {
    awaiting_ = step.Action;
    readAt_ = step.ReadAt;
    UpdateTimer();
    return;
  }
  run_.reset();
  UpdateTimer();
  Report(step.Report, pending_.Reason);
}

void TApplyFollower::LetGoOfEndedReplaced() {
  const long long now = Now();
  std::erase_if(replaced_, [now](TReplacedProgram& replaced) {
    return !replaced.Program || replaced.Program->ExitCode() ||
           now - replaced.StartedAt >= TApplyRun::kNetshLimitMs;
  });
}

void TApplyFollower::UpdateTimer() { timer_.SetEnabled(run_ != nullptr || !replaced_.empty()); }

void TApplyFollower::Poll() {
  LetGoOfEndedReplaced();
  if (!run_) {
    UpdateTimer();
    return;
  }
  if (awaiting_ == TApplyAction::WaitForNetsh) {
    // A start that handed out no process cannot be followed: it counts as ended at once,
    // and the adapter tells how it went.
    Advance(run_->Tick(Now(), program_ ? program_->ExitCode() : std::optional<unsigned long>(0)),
            true);
  } else if (Now() >= readAt_) {
    Advance(run_->AdaptersRead(adapters_.Read()), false);
  }
}
