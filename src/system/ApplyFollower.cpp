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

void TApplyFollower::Follow(const std::string& caption, const TNetInfo& profile,
                            TStartResult start) {
  // The pending run, if any, ends here without a word.
  program_ = std::move(start.Program);
  run_ = std::make_unique<TApplyRun>(caption, NormalisedCopy(profile));
  if (!start.Started) {
    Advance(run_->StartFailed(start.Error, start.ErrorText));
    return;
  }
  Advance(run_->Started(Now()));
}

void TApplyFollower::Advance(TApplyStep step) {
  // The first reading after netsh's end is due at once: taking it here saves a tick.
  while (step.Action == TApplyAction::ReadAdapters && Now() >= step.ReadAt)
    step = run_->AdaptersRead(adapters_.Read());
  if (step.Action != TApplyAction::Report) {
    awaiting_ = step.Action;
    readAt_ = step.ReadAt;
    timer_.SetEnabled(true);
    return;
  }
  timer_.SetEnabled(false);
  program_.reset();
  run_.reset();
  // The handler may start the next apply; a copy keeps it alive through the call.
  const TReportEvent onReport = onReport_;
  if (onReport) onReport(step.Report);
}

void TApplyFollower::Poll() {
  if (!run_) {
    timer_.SetEnabled(false);
    return;
  }
  if (awaiting_ == TApplyAction::WaitForNetsh) {
    // A start that handed out no process cannot be followed: it counts as ended at once,
    // and the adapter tells how it went.
    Advance(run_->Tick(Now(), program_ ? program_->ExitCode() : std::optional<unsigned long>(0)));
  } else if (Now() >= readAt_) {
    Advance(run_->AdaptersRead(adapters_.Read()));
  }
}
