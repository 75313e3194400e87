#pragma once

#include <optional>
#include <string>

#include "AdapterSource.h"
#include "AdapterState.h"
#include "NetInfo.h"
#include "ProfileAdapter.h"

// How an apply ended, for the report's icon.
enum class TApplyOutcome {
  Verified,  // the adapter is as the profile wants it
  Partial,   // some of the compared members are as wanted, not all; or DHCP is on but no
             // DHCP server has given an address
  Failed,    // nothing is as wanted, or nothing could be checked
};

// The exit codes of a command-line apply.
enum TApplyExitCode : int {
  kApplyVerified = 0,
  kApplyNoSuchProfile = 1,
  kApplyInvalidProfile = 1,  // a member netsh would reject: nothing was written
  kApplyNotVerified = 2,  // in part or not at all, no such adapter, netsh hung
  kApplyNotStarted = 3,
  kApplyDeclined = 4,
  kApplyBusy = 5,  // another apply holds the script: nothing was applied
};

// The one-line result of an apply, titled with the profile's caption.
struct TApplyReport {
  std::string Title;
  std::string Text;
  int ExitCode = kApplyVerified;
  TApplyOutcome Outcome = TApplyOutcome::Verified;
  // A verified apply: the adapter it was verified on, whose name and identity the profile
  // takes (BindToAdapter).
  std::optional<TAdapterState> VerifiedOn{};

  friend bool operator==(const TApplyReport&, const TApplyReport&) = default;
};

// What the caller does next.
enum class TApplyAction {
  StartNetsh,    // start netsh on the script, then call Started or StartFailed
  WaitForNetsh,  // call Tick about every 100 ms until the process has ended
  ReadAdapters,  // read the adapters once the clock reaches ReadAt, then call AdaptersRead
  Report,        // show Report; the run is over (close the process handle)
};

struct TApplyStep {
  TApplyAction Action = TApplyAction::StartNetsh;
  long long ReadAt = 0;  // milliseconds, on the caller's clock
  TApplyReport Report;   // only for TApplyAction::Report

  friend bool operator==(const TApplyStep&, const TApplyStep&) = default;
};

// How an apply starts: refused before its script is written, or with the profile its
// script is written from.
struct TApplyStart {
  std::optional<TApplyReport> Refusal;
  // The profile as stored, with the name its adapter has now (FindProfileAdapter): a
  // renamed adapter is reached under its new name.
  TNetInfo Script;
};

// What stops an apply of `profile` (as stored) before its script is written:
// - A member netsh would reject (ProfileProblem): `WINS "300.1.1.1" is not an address;
//   nothing was applied`, kApplyInvalidProfile; the adapters are not read.
// - From one reading of the adapters' names (FindProfileAdapter): no adapter for the
//   profile, or one whose name cannot be passed to netsh exactly (also when found by its
//   identity); the report the run would give after netsh. A reading that failed lets the
//   apply go on with the profile's LAN: the reading after netsh tells.
TApplyStart PrepareApply(const std::string& caption, const TNetInfo& profile,
                         IAdapterSource& adapters);

// One apply of a profile, from the start of netsh to the report. It decides;
// the caller starts the process, watches it, reads the adapters and keeps the clock (any
// millisecond count that only grows), and feeds each result back in. Calls out of order
// throw std::logic_error. A newer apply simply replaces the object: the older run's
// report is never given.
class TApplyRun {
 public:
  // How long netsh may run before the report says it hung.
  static constexpr long long kNetshLimitMs = 60000;
  // After netsh ends, the adapter is read at once and again at this interval until it is
  // as wanted or the time for the kind of profile is up. A DHCP profile is as wanted once
  // DHCP is on and an address other than a self-assigned one (169.254.x.x) is there.
  static constexpr long long kReadIntervalMs = 500;
  static constexpr long long kDhcpSettleMs = 10000;
  static constexpr long long kStaticSettleMs = 3000;

  TApplyRun(std::string caption, TNetInfo normalised);

  // A new run is about to start netsh: call Started or StartFailed. An adapter that is
  // gone by the time netsh has ended shows in the reading after it.
  TApplyStep Started(long long now);
  // The system's error code and message of a start that failed (1223: the user declined
  // the elevation prompt), or one of the kStartError codes of a start refused before
  // netsh ran.
  TApplyStep StartFailed(unsigned long error, const std::string& message);

  // netsh's exit code once the process has ended, none while it runs.
  TApplyStep Tick(long long now, std::optional<unsigned long> exitCode);

  TApplyStep AdaptersRead(const TAdapterReading& reading);

 private:
  enum class TStage { Starting, Running, Reading, Done };

  void Expect(TStage stage) const;
  TApplyStep Finish(std::string text, int exitCode, TApplyOutcome outcome);
  TApplyStep FinishUnverified(const TAdapterReading& reading, const TProfileAdapter& found);

  std::string caption_;
  TNetInfo profile_;
  TStage stage_ = TStage::Starting;
  long long startedAt_ = 0;
  unsigned long netshExitCode_ = 0;
  long long nextReadAt_ = 0;
  long long lastReadAt_ = 0;
};
