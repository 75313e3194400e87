#include "ApplyRun.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "AdapterStatus.h"
#include "Ipv4.h"
#include "ProfileAdapter.h"
#include "ProfileCheck.h"
#include "ProfileMatch.h"
#include "ProgramStarter.h"
#include "ReportText.h"

namespace {

// The system's code for an elevation prompt the user answered with No.
constexpr unsigned long kErrorCancelled = 1223;

// The addresses a system gives itself when no DHCP server answers: 169.254.0.0/16.
constexpr TIpv4 kSelfAssignedNetwork = 0xA9FE0000;
constexpr TIpv4 kSelfAssignedMask = 0xFFFF0000;

std::string DifferencesText(const std::vector<TFieldDifference>& differences) {
  std::string text;
  for (const TFieldDifference& difference : differences) {
    if (!text.empty()) text += "; ";
    text += std::string(FieldWord(difference.Field)) + " is " + difference.Has + ", not " +
            difference.Wanted;
  }
  return text;
}

TApplyStep Next(TApplyAction action, long long readAt = 0) {
  TApplyStep step;
  step.Action = action;
  step.ReadAt = readAt;
  return step;
}

// Until a DHCP server answers, the adapter has no address or a self-assigned one: DHCP
// is on, but the profile has not taken effect yet.
bool AwaitingLease(const TNetInfo& profile, const TAdapterState& adapter) {
  return profile.DHCP &&
         std::none_of(adapter.Addresses.begin(), adapter.Addresses.end(), [](const TAdapterAddress& a) {
           std::optional<TIpv4> address = ParseIpv4(a.Address);
           return address && (*address & kSelfAssignedMask) != kSelfAssignedNetwork;
         });
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

// Why netsh cannot change the adapter named `lan` (found as `adapter`, or null): it
// changes nothing on an adapter it does not know by that name, and a name that is not
// exact in the ANSI code page is never written into a script.
std::optional<std::string> UnreachableAdapterText(const std::string& lan,
                                                  const TAdapterState* adapter) {
  if (!adapter) return "No adapter named " + Quoted(lan) + " on this computer; nothing was changed";
  if (!adapter->NameExact)
    return "The name of adapter " + Quoted(lan) +
           " cannot be passed to netsh exactly; nothing was changed";
  return std::nullopt;
}

}  // namespace

TApplyStart PrepareApply(const std::string& caption, const TNetInfo& profile,
                         IAdapterSource& adapters) {
  TApplyStart start{std::nullopt, profile};
  if (std::optional<std::string> problem = ProfileProblem(NormalisedCopy(profile))) {
    start.Refusal = TApplyReport{caption, *problem + "; nothing was applied", kApplyInvalidProfile,
                                 TApplyOutcome::Failed};
    return start;
  }
  const TAdapterReading reading = adapters.ReadNames();
  if (!reading.Ok) return start;
  const TAdapterState* adapter = FindProfileAdapter(reading, profile).Adapter;
  if (std::optional<std::string> why = UnreachableAdapterText(profile.LAN, adapter)) {
    start.Refusal = TApplyReport{caption, *why, kApplyNotVerified, TApplyOutcome::Failed};
    return start;
  }
  // netsh knows the adapter by the name it has now.
  start.Script.LAN = adapter->FriendlyName;
  return start;
}

TApplyRun::TApplyRun(std::string caption, TNetInfo normalised)
    : caption_(std::move(caption)), profile_(std::move(normalised)) {}

void TApplyRun::Expect(TStage stage) const {
  if (stage_ != stage) throw std::logic_error("apply run: step out of order");
}

TApplyStep TApplyRun::Finish(std::string text, int exitCode, TApplyOutcome outcome) {
  stage_ = TStage::Done;
  return {TApplyAction::Report, 0, {caption_, std::move(text), exitCode, outcome}};
}

TApplyStep TApplyRun::Started(long long now) {
  Expect(TStage::Starting);
  stage_ = TStage::Running;
  startedAt_ = now;
  return Next(TApplyAction::WaitForNetsh);
}

TApplyStep TApplyRun::StartFailed(unsigned long error, const std::string& message) {
  Expect(TStage::Starting);
  if (error == kStartErrorScriptChanged)
    return Finish(caption_ + ": the script was changed before netsh could run it; nothing was applied",
                  kApplyNotStarted, TApplyOutcome::Failed);
  if (error == kStartErrorApplyRunning)
    return Finish(caption_ + ": another apply is running; nothing was applied", kApplyBusy,
                  TApplyOutcome::Failed);
  if (error == kErrorCancelled)
    return Finish("Administrator rights were declined; nothing was changed", kApplyDeclined,
                  TApplyOutcome::Failed);
  return Finish("netsh could not be started: " + FailureReason(message, error), kApplyNotStarted,
                TApplyOutcome::Failed);
}

TApplyStep TApplyRun::Tick(long long now, std::optional<unsigned long> exitCode) {
  Expect(TStage::Running);
  if (exitCode) {
    stage_ = TStage::Reading;
    netshExitCode_ = *exitCode;
    nextReadAt_ = now;
    lastReadAt_ = now + (profile_.DHCP ? kDhcpSettleMs : kStaticSettleMs);
    return Next(TApplyAction::ReadAdapters, nextReadAt_);
  }
  if (now - startedAt_ >= kNetshLimitMs)
    return Finish(caption_ + ": netsh did not finish within " +
                      std::to_string(kNetshLimitMs / 1000) + " s",
                  kApplyNotVerified, TApplyOutcome::Failed);
  return Next(TApplyAction::WaitForNetsh);
}

TApplyStep TApplyRun::AdaptersRead(const TAdapterReading& reading) {
  Expect(TStage::Reading);
  const TProfileAdapter found = reading.Ok ? FindProfileAdapter(reading, profile_) : TProfileAdapter{};
  const TAdapterState* adapter = found.Adapter;
  if (adapter && ProfileMatches(profile_, *adapter) && !AwaitingLease(profile_, *adapter)) {
    TApplyStep step = Finish(caption_ + " is active on " + FoundAdapterName(found, profile_.LAN, "renamed from") +
                                 ": " + SettingsDescription(*adapter),
                             kApplyVerified, TApplyOutcome::Verified);
    step.Report.VerifiedOn = *adapter;
    return step;
  }
  // A DHCP lease or a new address may take a moment to show.
  nextReadAt_ += kReadIntervalMs;
  if (nextReadAt_ <= lastReadAt_) return Next(TApplyAction::ReadAdapters, nextReadAt_);
  return FinishUnverified(reading, found);
}

TApplyStep TApplyRun::FinishUnverified(const TAdapterReading& reading,
                                       const TProfileAdapter& found) {
  const TAdapterState* adapter = found.Adapter;
  const std::string adapterName = FoundAdapterName(found, profile_.LAN, "renamed from");
  const std::string netshNote =
      netshExitCode_ == 0 ? "" : " (netsh ended with exit code " + std::to_string(netshExitCode_) + ")";
  if (!reading.Ok)
    return Finish(caption_ + ": the adapter state could not be read after netsh ended: " +
                      ReadingErrorText(reading) + netshNote,
                  kApplyNotVerified, TApplyOutcome::Failed);
  if (std::optional<std::string> why = UnreachableAdapterText(profile_.LAN, adapter))
    return Finish(*why + netshNote, kApplyNotVerified, TApplyOutcome::Failed);
  std::vector<TFieldDifference> differences = CompareProfile(profile_, *adapter);
  if (differences.empty())
    return Finish(caption_ + " is only partly active on " + adapterName +
                      ": DHCP is on, but no address came from DHCP within " +
                      std::to_string(kDhcpSettleMs / 1000) + " s" + netshNote,
                  kApplyNotVerified, TApplyOutcome::Partial);
  // DHCP off is where a static profile starts from, not one of its settings: a static
  // apply of which nothing else is there has not taken at all.
  const auto isSetting = [&](TProfileField field) {
    return profile_.DHCP || field != TProfileField::DHCP;
  };
  const std::vector<TProfileField> compared = ComparedFields(profile_);
  const bool noneAsWanted =
      std::count_if(differences.begin(), differences.end(),
                    [&](const TFieldDifference& d) { return isSetting(d.Field); }) ==
      std::count_if(compared.begin(), compared.end(), isSetting);
  return Finish(caption_ + (noneAsWanted ? " is not active on " : " is only partly active on ") +
                    adapterName + ": " + DifferencesText(differences) + netshNote,
                kApplyNotVerified, noneAsWanted ? TApplyOutcome::Failed : TApplyOutcome::Partial);
}
