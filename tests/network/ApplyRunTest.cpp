#include "ApplyRun.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "AdapterFixtures.h"
#include "ProgramStarter.h"
#include "TableAdapterSource.h"

void PrintTo(const TApplyStep& step, std::ostream* os) {
  *os << "{action " << static_cast<int>(step.Action) << ", at " << step.ReadAt << ", \""
      << step.Report.Text << "\", exit " << step.Report.ExitCode << ", outcome "
      << static_cast<int>(step.Report.Outcome) << "}";
}

namespace {

constexpr long long kStart = 1000;  // the clock when netsh is started
constexpr long long kEnd = 4200;    // the clock when netsh is seen to have ended

TApplyStep ReadAt(long long at) { return {TApplyAction::ReadAdapters, at, {}}; }

TApplyStep ReportOf(std::string caption, std::string text, int exitCode, TApplyOutcome outcome) {
  return {TApplyAction::Report, 0, {std::move(caption), std::move(text), exitCode, outcome}};
}

// Brings a run to the point where netsh has ended with `exitCode`; the first read is due.
TApplyRun EndedRun(const TNetInfo& profile, unsigned long exitCode = 0) {
  TApplyRun run("Office", profile);
  EXPECT_EQ(run.Started(kStart).Action, TApplyAction::WaitForNetsh);
  EXPECT_EQ(run.Tick(kStart + 100, std::nullopt).Action, TApplyAction::WaitForNetsh);
  EXPECT_EQ(run.Tick(kEnd, exitCode), ReadAt(kEnd));
  return run;
}

// Feeds the same reading until the run reports; the times at which it asked to read.
TApplyStep ReadUntilReport(TApplyRun& run, const TAdapterReading& reading,
                           std::vector<long long>* readTimes = nullptr) {
  for (int reads = 0; reads < 100; ++reads) {
    TApplyStep step = run.AdaptersRead(reading);
    if (step.Action == TApplyAction::Report) return step;
    EXPECT_EQ(step.Action, TApplyAction::ReadAdapters);
    if (readTimes) readTimes->push_back(step.ReadAt);
  }
  ADD_FAILURE() << "no report after 100 reads";
  return {};
}

struct VerifiedCase {
  const char* name;
  TNetInfo profile;
  TAdapterState adapter;
  const char* text;
};

std::ostream& operator<<(std::ostream& os, const VerifiedCase& c) { return os << c.name; }

class ApplyRunVerified : public testing::TestWithParam<VerifiedCase> {};

// The report names the adapter it was verified on, for the profile to take its name and
// identity.
TEST_P(ApplyRunVerified, ReportsWhatTheAdapterHasAndWhichAdapterItIs) {
  const VerifiedCase& c = GetParam();
  TApplyRun run = EndedRun(c.profile);
  TApplyStep expected = ReportOf("Office", c.text, kApplyVerified, TApplyOutcome::Verified);
  expected.Report.VerifiedOn = c.adapter;
  EXPECT_EQ(run.AdaptersRead(ReadingOf({c.adapter})), expected);
}

TAdapterState OtherAdapterNamed(const char* name) {
  TAdapterState adapter = OfficeAdapter();
  adapter.FriendlyName = name;
  adapter.Id = "{99999999-8888-7777-6666-555555555555}";
  return adapter;
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, ApplyRunVerified,
    testing::Values(
        VerifiedCase{"ByName", OfficeProfile(), OfficeAdapter(),
                     "Office is active on Ethernet: 10.0.0.5/24, gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2"},
        VerifiedCase{"NameInAnotherCase", WithLan(OfficeProfile(), "ETHERNET"), OfficeAdapter(),
                     "Office is active on ETHERNET: 10.0.0.5/24, gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2"},
        VerifiedCase{"ByIdentity", BoundOfficeProfile(), OfficeAdapterNamed("Ethernet"),
                     "Office is active on Ethernet: 10.0.0.5/24, gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2"},
        VerifiedCase{"Renamed", BoundOfficeProfile(), OfficeAdapterNamed("Ethernet 2"),
                     "Office is active on Ethernet 2 (renamed from \"Ethernet\"): 10.0.0.5/24, gateway "
                     "10.0.0.1, DNS 10.0.0.1, 10.0.0.2"},
        VerifiedCase{"AnotherAdapterBearsTheName", BoundOfficeProfile(), OtherAdapterNamed("Ethernet"),
                     "Office is active on Ethernet (a different adapter from the one the profile was "
                     "made on): 10.0.0.5/24, gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ApplyRun, ADhcpProfileThatGetsItsAddressOnTheThirdReadIsVerified) {
  TAdapterState noAddress = OfficeAdapter();
  noAddress.Dhcp = true;
  noAddress.Addresses.clear();
  TAdapterState selfAssigned = noAddress;
  selfAssigned.Addresses = {{"169.254.7.7", 16}};
  TAdapterState leased = noAddress;
  leased.Addresses = {{"192.168.1.20", 24}};
  TApplyRun run = EndedRun(HomeProfile());
  EXPECT_EQ(run.AdaptersRead(ReadingOf({noAddress})), ReadAt(kEnd + 500));
  EXPECT_EQ(run.AdaptersRead(ReadingOf({selfAssigned})), ReadAt(kEnd + 1000));
  TApplyStep step = run.AdaptersRead(ReadingOf({leased}));
  EXPECT_EQ(step.Report.Text,
            "Office is active on Ethernet: 192.168.1.20/24 (DHCP), gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2");
  EXPECT_EQ(step.Report.ExitCode, kApplyVerified);
}

struct ScheduleCase {
  const char* name;
  TNetInfo profile;
  long long settleMs;
};

std::ostream& operator<<(std::ostream& os, const ScheduleCase& c) { return os << c.name; }

class ApplyRunSchedule : public testing::TestWithParam<ScheduleCase> {};

TEST_P(ApplyRunSchedule, ReadsAgainEveryHalfSecondUntilTheTimeIsUp) {
  TApplyRun run = EndedRun(GetParam().profile);
  TAdapterState wrong = OfficeAdapter();
  wrong.Addresses = {{"169.254.7.7", 16}};
  std::vector<long long> readTimes;
  EXPECT_EQ(ReadUntilReport(run, ReadingOf({wrong}), &readTimes).Report.ExitCode, kApplyNotVerified);
  std::vector<long long> expected;
  for (long long at = kEnd + 500; at <= kEnd + GetParam().settleMs; at += 500) expected.push_back(at);
  EXPECT_EQ(readTimes, expected);
}

INSTANTIATE_TEST_SUITE_P(Profiles, ApplyRunSchedule,
                         testing::Values(ScheduleCase{"Dhcp", HomeProfile(), 10000},
                                         ScheduleCase{"Static", OfficeProfile(), 3000}),
                         [](const auto& param) { return std::string(param.param.name); });

// How the last reading of a run that was never verified is reported.
struct UnverifiedCase {
  const char* name;
  TNetInfo profile;
  unsigned long netshExitCode;
  TAdapterReading reading;
  const char* text;
  TApplyOutcome outcome;
};

std::ostream& operator<<(std::ostream& os, const UnverifiedCase& c) { return os << c.name; }

class ApplyRunUnverified : public testing::TestWithParam<UnverifiedCase> {};

TEST_P(ApplyRunUnverified, SaysWhatDiffersAndNetshsExitCode) {
  const UnverifiedCase& c = GetParam();
  TApplyRun run = EndedRun(c.profile, c.netshExitCode);
  EXPECT_EQ(ReadUntilReport(run, c.reading), ReportOf("Office", c.text, kApplyNotVerified, c.outcome));
}

TAdapterState WithGateway(const char* gateway) {
  TAdapterState adapter = OfficeAdapter();
  adapter.Gateways = {gateway};
  return adapter;
}

TAdapterState SelfAssigned() {
  TAdapterState adapter = OfficeAdapter();
  adapter.Dhcp = true;
  adapter.Addresses = {{"169.254.7.7", 16}};
  return adapter;
}

TAdapterState Unconfigured() {
  TAdapterState adapter;
  adapter.FriendlyName = "Ethernet";
  adapter.Up = true;
  return adapter;
}

TAdapterState Leased(TAdapterState adapter = OfficeAdapter()) {
  adapter.Dhcp = true;
  return adapter;
}

TAdapterState Inexact(TAdapterState adapter) {
  adapter.NameExact = false;
  return adapter;
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ApplyRunUnverified,
    testing::Values(
        UnverifiedCase{"InPart", OfficeProfile(), 0, ReadingOf({WithGateway("192.168.1.1")}),
                       "Office is only partly active on Ethernet: gateway is 192.168.1.1, not 10.0.0.1",
                       TApplyOutcome::Partial},
        UnverifiedCase{"InPartRenamed", BoundOfficeProfile(), 0,
                       ReadingOf({[] {
                         TAdapterState adapter = OfficeAdapterNamed("Ethernet 2");
                         adapter.Gateways = {"192.168.1.1"};
                         return adapter;
                       }()}),
                       "Office is only partly active on Ethernet 2 (renamed from \"Ethernet\"): gateway "
                       "is 192.168.1.1, not 10.0.0.1",
                       TApplyOutcome::Partial},
        UnverifiedCase{"InPartNetshFailed", OfficeProfile(), 1, ReadingOf({WithGateway("192.168.1.1")}),
                       "Office is only partly active on Ethernet: gateway is 192.168.1.1, not 10.0.0.1 "
                       "(netsh ended with exit code 1)",
                       TApplyOutcome::Partial},
        UnverifiedCase{"NotAtAll", OfficeProfile(), 1, ReadingOf({Unconfigured()}),
                       "Office is not active on Ethernet: address is none, not 10.0.0.5/24; gateway is "
                       "none, not 10.0.0.1; DNS is none, not 10.0.0.1; alternate DNS is none, not 10.0.0.2 "
                       "(netsh ended with exit code 1)",
                       TApplyOutcome::Failed},
        UnverifiedCase{"StaticOnALeaseThatEqualsIt", OfficeProfile(), 0, ReadingOf({Leased()}),
                       "Office is only partly active on Ethernet: DHCP is on, not off",
                       TApplyOutcome::Partial},
        UnverifiedCase{"StaticNotTakenOnALease", OfficeProfile(), 1, ReadingOf({Leased(Unconfigured())}),
                       "Office is not active on Ethernet: DHCP is on, not off; address is none, not "
                       "10.0.0.5/24; gateway is none, not 10.0.0.1; DNS is none, not 10.0.0.1; "
                       "alternate DNS is none, not 10.0.0.2 (netsh ended with exit code 1)",
                       TApplyOutcome::Failed},
        UnverifiedCase{"DhcpStillOff", HomeProfile(), 0, ReadingOf({OfficeAdapter()}),
                       "Office is not active on Ethernet: DHCP is off, not on", TApplyOutcome::Failed},
        UnverifiedCase{"DhcpWithoutLease", HomeProfile(), 0, ReadingOf({SelfAssigned()}),
                       "Office is only partly active on Ethernet: DHCP is on, but no address came from "
                       "DHCP within 10 s",
                       TApplyOutcome::Partial},
        UnverifiedCase{"NoSuchAdapter", OfficeProfile(), 1, ReadingOf({}),
                       "No adapter named \"Ethernet\" on this computer; nothing was changed "
                       "(netsh ended with exit code 1)",
                       TApplyOutcome::Failed},
        UnverifiedCase{"NameNetshCannotTake", OfficeProfile(), 0, ReadingOf({Inexact(Unconfigured())}),
                       "The name of adapter \"Ethernet\" cannot be passed to netsh exactly; nothing was "
                       "changed",
                       TApplyOutcome::Failed},
        UnverifiedCase{"Unreadable", OfficeProfile(), 5, FailedReading(8, "Not enough memory.\r\n"),
                       "Office: the adapter state could not be read after netsh ended: Not enough memory. "
                       "(netsh ended with exit code 5)",
                       TApplyOutcome::Failed}),
    [](const auto& param) { return std::string(param.param.name); });

struct RefusalCase {
  const char* name;
  TAdapterReading reading;
  std::optional<std::string> text;  // none: the apply goes on to netsh
  TNetInfo profile = OfficeProfile();
  int exitCode = kApplyNotVerified;
  const char* scriptLan = "Ethernet";  // the name the script is written with
};

TNetInfo WithWins(std::string wins) {
  TNetInfo profile = OfficeProfile();
  profile.WINS = std::move(wins);
  return profile;
}

class ApplyRunRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(ApplyRunRefusal, DecidesFromTheReadingBeforeTheScriptIsWritten) {
  const RefusalCase& c = GetParam();
  TTableAdapterSource adapters;
  adapters.Reading = c.reading;
  const TApplyStart start = PrepareApply("Office", c.profile, adapters);
  const std::optional<TApplyReport>& refusal = start.Refusal;
  if (!c.text) {
    EXPECT_FALSE(refusal) << refusal->Text;
    EXPECT_EQ(start.Script, WithLan(c.profile, c.scriptLan));
    return;
  }
  ASSERT_TRUE(refusal);
  EXPECT_EQ(*refusal, (TApplyReport{"Office", *c.text, c.exitCode, TApplyOutcome::Failed}));
  EXPECT_EQ(adapters.NameReads, c.exitCode == kApplyInvalidProfile ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, ApplyRunRefusal,
    testing::Values(
        RefusalCase{"AdapterThere", ReadingOf({Unconfigured()}), std::nullopt},
        RefusalCase{"NoSuchAdapter", ReadingOf({}),
                    "No adapter named \"Ethernet\" on this computer; nothing was changed"},
        RefusalCase{"NameNetshCannotTake", ReadingOf({Inexact(Unconfigured())}),
                    "The name of adapter \"Ethernet\" cannot be passed to netsh exactly; nothing "
                    "was changed"},
        RefusalCase{"UnreadableGoesOn", FailedReading(8, "Not enough memory.\r\n"), std::nullopt},
        RefusalCase{"RenamedAdapterUnderItsNewName", ReadingOf({OfficeAdapterNamed("Ethernet 2")}),
                    std::nullopt, BoundOfficeProfile(), kApplyNotVerified, "Ethernet 2"},
        RefusalCase{"NameInAnotherCaseAsTheAdapterSpellsIt", ReadingOf({Unconfigured()}),
                    std::nullopt, WithLan(OfficeProfile(), "ethernet")},
        RefusalCase{"RenamedToANameNetshCannotTake",
                    ReadingOf({Inexact(OfficeAdapterNamed("R?seau"))}),
                    "The name of adapter \"Ethernet\" cannot be passed to netsh exactly; nothing "
                    "was changed",
                    BoundOfficeProfile()},
        RefusalCase{"InvalidProfileBeforeAnyReading", ReadingOf({}),
                    "WINS \"300.1.1.1\" is not an address; nothing was applied",
                    WithWins("300.1.1.1"), kApplyInvalidProfile}),
    [](const auto& param) { return std::string(param.param.name); });

struct StartFailureCase {
  unsigned long error;
  const char* message;
  const char* text;
  int exitCode;
};

class ApplyRunStartFailure : public testing::TestWithParam<StartFailureCase> {};

TEST_P(ApplyRunStartFailure, ReportsWhyNetshDidNotStart) {
  const StartFailureCase& c = GetParam();
  TApplyRun run("Office", OfficeProfile());
  EXPECT_EQ(run.StartFailed(c.error, c.message),
            ReportOf("Office", c.text, c.exitCode, TApplyOutcome::Failed));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ApplyRunStartFailure,
    testing::Values(
        StartFailureCase{1223, "The operation was canceled by the user.\r\n",
                         "Administrator rights were declined; nothing was changed", kApplyDeclined},
        StartFailureCase{2, "The system cannot find the file specified.\r\n",
                         "netsh could not be started: The system cannot find the file specified.",
                         kApplyNotStarted},
        StartFailureCase{3, "", "netsh could not be started: system error 3", kApplyNotStarted},
        StartFailureCase{kStartErrorScriptChanged, "the script reads back otherwise",
                         "Office: the script was changed before netsh could run it; nothing was "
                         "applied",
                         kApplyNotStarted},
        StartFailureCase{kStartErrorApplyRunning, "Cannot create file \"C:\\Ardenix.TMP\".",
                         "Office: another apply is running; nothing was applied", kApplyBusy}));

TEST(ApplyRun, GivesUpOnANetshThatRunsForAMinute) {
  TApplyRun run("Office", OfficeProfile());
  run.Started(kStart);
  EXPECT_EQ(run.Tick(kStart + 59999, std::nullopt).Action, TApplyAction::WaitForNetsh);
  EXPECT_EQ(run.Tick(kStart + 60000, std::nullopt),
            ReportOf("Office", "Office: netsh did not finish within 60 s", kApplyNotVerified,
                     TApplyOutcome::Failed));
  EXPECT_THROW(run.Tick(kStart + 60100, 0), std::logic_error);
}

TEST(ApplyRun, ANetshSeenToEndAtTheLimitIsStillChecked) {
  TApplyRun run("Office", OfficeProfile());
  run.Started(kStart);
  EXPECT_EQ(run.Tick(kStart + 60000, 0), ReadAt(kStart + 60000));
}

TEST(ApplyRun, RefusesStepsOutOfOrder) {
  TApplyRun run("Office", OfficeProfile());
  EXPECT_THROW(run.Tick(kStart, std::nullopt), std::logic_error);
  EXPECT_THROW(run.AdaptersRead(ReadingOf({OfficeAdapter()})), std::logic_error);
  run.Started(kStart);
  EXPECT_THROW(run.StartFailed(2, ""), std::logic_error);
}

}  // namespace
