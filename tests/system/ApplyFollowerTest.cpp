// The follower of an apply on its real timer, with a process, adapters and a clock that the
// test controls.
#include "ApplyFollower.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "AdapterFixtures.h"
#include "TableAdapterSource.h"
#include "TestPump.h"

namespace {

// A started netsh whose end the test decides; it notes when it is let go of.
class TFakeProgram : public IStartedProgram {
 public:
  struct TState {
    std::optional<unsigned long> ExitCode;
    bool Released = false;
  };
  explicit TFakeProgram(std::shared_ptr<TState> state) : state_(std::move(state)) {}
  ~TFakeProgram() override { state_->Released = true; }
  std::optional<unsigned long> ExitCode() override { return state_->ExitCode; }

 private:
  std::shared_ptr<TState> state_;
};

// Exactly as the office profile wants it, unless a test says otherwise.
class TFakeAdapters : public TTableAdapterSource {
 public:
  TFakeAdapters() { Reading = ReadingOf({OfficeAdapter()}); }
};

// Up, with no address yet.
TAdapterState Unconfiguredish() {
  TAdapterState adapter = OfficeAdapter();
  adapter.Addresses.clear();
  return adapter;
}

TNetInfo StoredOffice() {
  // As stored: the normalised copy fills in what the user left empty.
  TNetInfo profile = OfficeProfile();
  profile.WINS = std::string(kBlankAddressText);
  return profile;
}

class ApplyFollowerTest : public testing::Test {
 protected:
  TStartResult Running(std::shared_ptr<TFakeProgram::TState>& state) {
    state = std::make_shared<TFakeProgram::TState>();
    return TStartResult::Running(std::make_unique<TFakeProgram>(state));
  }
  void PumpUntilReport(DWORD ms = 2000) {
    PumpMessages(ms, [&] { return !reports.empty(); });
  }

  long long now = 1000;
  TFakeAdapters adapters;
  std::vector<TApplyReport> reports;
  TApplyFollower follower{adapters, [this](const TApplyReport& r) { reports.push_back(r); },
                          [this] { return now; }};
};

TEST_F(ApplyFollowerTest, FollowsNetshToItsEndAndReportsTheVerifiedProfile) {
  std::shared_ptr<TFakeProgram::TState> netsh;
  follower.Follow("Office", StoredOffice(), Running(netsh));
  EXPECT_TRUE(follower.Pending());
  EXPECT_TRUE(follower.Timer().Enabled());
  EXPECT_EQ(follower.Timer().Interval(), 100u);
  PumpMessages(350);
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(adapters.Reads, 0) << "nothing is read while netsh runs";

  netsh->ExitCode = 0;
  PumpUntilReport();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].Title, "Office");
  EXPECT_EQ(reports[0].Text,
            "Office is active on Ethernet: 10.0.0.5/24, gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2");
  EXPECT_EQ(adapters.Reads, 1);
  EXPECT_FALSE(follower.Pending());
  EXPECT_FALSE(follower.Timer().Enabled()) << "no timer while nothing is pending";
  EXPECT_TRUE(netsh->Released) << "the process handle is let go of with the report";
}

TEST_F(ApplyFollowerTest, ReadsAgainOnTheRunsScheduleUntilTheAdapterIsAsWanted) {
  std::shared_ptr<TFakeProgram::TState> netsh;
  adapters.Reading = ReadingOf({Unconfiguredish()});
  follower.Follow("Office", StoredOffice(), Running(netsh));
  netsh->ExitCode = 0;
  PumpMessages(20000, [&] { return adapters.Reads == 1; });
  ASSERT_EQ(adapters.Reads, 1);
  EXPECT_TRUE(netsh->Released) << "what netsh held goes with its end, not with the report";
  PumpMessages(300);
  EXPECT_EQ(adapters.Reads, 1) << "the next reading waits for the clock to pass half a second";
  adapters.Reading = ReadingOf({OfficeAdapter()});
  now += 500;
  PumpUntilReport();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].ExitCode, kApplyVerified);
  EXPECT_EQ(adapters.Reads, 2);
}

TEST_F(ApplyFollowerTest, TheLaterApplyWinsAndIsVerifiedAgainstItsOwnProfile) {
  std::shared_ptr<TFakeProgram::TState> first;
  std::shared_ptr<TFakeProgram::TState> second;
  follower.Follow("Home", WithLan(OfficeProfile(), "Wi-Fi"), Running(first));
  follower.Follow("Office", StoredOffice(), Running(second));
  PumpMessages(250);
  EXPECT_FALSE(first->Released) << "the replaced run's netsh still runs on its script";
  first->ExitCode = 0;
  second->ExitCode = 1;
  PumpUntilReport();
  PumpMessages(250);
  ASSERT_EQ(reports.size(), 1u) << "only the later run reports";
  EXPECT_EQ(reports[0].Title, "Office");
  EXPECT_EQ(reports[0].ExitCode, kApplyVerified);
  EXPECT_TRUE(first->Released) << "let go of once it has ended";
  EXPECT_FALSE(follower.Timer().Enabled());
}

TEST_F(ApplyFollowerTest, AReplacedRunsNetshIsKeptForItsMinuteAtMost) {
  std::shared_ptr<TFakeProgram::TState> first;
  std::shared_ptr<TFakeProgram::TState> second;
  follower.Follow("Home", WithLan(OfficeProfile(), "Wi-Fi"), Running(first));
  now += 30000;
  follower.Follow("Office", StoredOffice(), Running(second));
  second->ExitCode = 0;
  PumpUntilReport();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_FALSE(first->Released) << "half of its minute is left";
  EXPECT_TRUE(follower.Timer().Enabled()) << "it is still being followed";
  now += 30000;
  PumpMessages(20000, [&] { return first->Released; });
  EXPECT_TRUE(first->Released);
  EXPECT_FALSE(follower.Timer().Enabled());
  EXPECT_EQ(reports.size(), 1u) << "a replaced run never reports";
}

TEST_F(ApplyFollowerTest, AStartThatFailedLeavesThePendingRunToReport) {
  std::shared_ptr<TFakeProgram::TState> netsh;
  follower.Follow("Office", StoredOffice(), Running(netsh));
  follower.Follow("Home", WithLan(OfficeProfile(), "Wi-Fi"),
                  TStartResult::Failed(kStartErrorApplyRunning, "in use"));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].Text, "Home: another apply is running; nothing was applied");
  EXPECT_EQ(reports[0].ExitCode, kApplyBusy);
  EXPECT_TRUE(follower.Pending());
  EXPECT_FALSE(netsh->Released);
  netsh->ExitCode = 0;
  PumpMessages(20000, [&] { return reports.size() == 2; });
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[1].Title, "Office");
  EXPECT_EQ(reports[1].ExitCode, kApplyVerified);
}

TEST_F(ApplyFollowerTest, AStartThatFailedReportsAtOnceWithoutATimer) {
  follower.Follow("Office", StoredOffice(),
                  TStartResult::Failed(1223, "The operation was canceled by the user."));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].Text, "Administrator rights were declined; nothing was changed");
  EXPECT_EQ(reports[0].ExitCode, kApplyDeclined);
  EXPECT_FALSE(follower.Timer().Enabled());
  EXPECT_EQ(adapters.Reads, 0);
}

TEST_F(ApplyFollowerTest, AnApplyToAMissingAdapterIsReportedWithoutStartingAnything) {
  std::shared_ptr<TFakeProgram::TState> pending;
  follower.Follow("Office", StoredOffice(), Running(pending));
  int starts = 0;
  follower.Apply("Lab", WithLan(OfficeProfile(), "Lab LAN"), [&](const TNetInfo&) {
    ++starts;
    return TStartResult::Failed(2, "must not start");
  });
  EXPECT_EQ(starts, 0);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].Text, "No adapter named \"Lab LAN\" on this computer; nothing was changed");
  EXPECT_EQ(reports[0].ExitCode, kApplyNotVerified);
  EXPECT_TRUE(follower.Pending()) << "the pending run goes on";
  EXPECT_FALSE(pending->Released);
}

TEST_F(ApplyFollowerTest, AnApplyToAnAdapterThatIsThereStartsAndIsFollowed) {
  std::shared_ptr<TFakeProgram::TState> netsh;
  follower.Apply("Office", StoredOffice(), [&](const TNetInfo&) { return Running(netsh); });
  ASSERT_TRUE(netsh);
  EXPECT_TRUE(reports.empty());
  EXPECT_TRUE(follower.Pending());
  netsh->ExitCode = 0;
  PumpUntilReport();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].ExitCode, kApplyVerified);
}

TEST_F(ApplyFollowerTest, ARenamedAdapterGetsItsNewNameInTheScriptAndIsVerifiedAsTheProfiles) {
  adapters.Reading = ReadingOf({OfficeAdapterNamed("Ethernet 2")});
  TNetInfo stored = StoredOffice();
  stored.AdapterId = kOfficeAdapterId;
  std::shared_ptr<TFakeProgram::TState> netsh;
  std::optional<TNetInfo> script;
  follower.Apply("Office", stored, [&](const TNetInfo& written) {
    script = written;
    return Running(netsh);
  });
  ASSERT_TRUE(script);
  EXPECT_EQ(*script, WithLan(stored, "Ethernet 2"));
  netsh->ExitCode = 0;
  PumpUntilReport();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].Text,
            "Office is active on Ethernet 2 (renamed from \"Ethernet\"): 10.0.0.5/24, gateway 10.0.0.1, "
            "DNS 10.0.0.1, 10.0.0.2");
  EXPECT_EQ(reports[0].VerifiedOn, OfficeAdapterNamed("Ethernet 2"));
}

TEST_F(ApplyFollowerTest, AnApplyWhoseStartThrowsLeavesNothingPending) {
  EXPECT_THROW(follower.Apply("Office", StoredOffice(),
                              [](const TNetInfo&) -> TStartResult {
                                throw std::runtime_error("disk full");
                              }),
               std::runtime_error);
  EXPECT_TRUE(reports.empty());
  EXPECT_FALSE(follower.Pending());
}

TEST_F(ApplyFollowerTest, AHungNetshIsGivenUpAfterAMinuteAndLetGoOf) {
  std::shared_ptr<TFakeProgram::TState> netsh;
  follower.Follow("Office", StoredOffice(), Running(netsh));
  now += 60000;
  PumpUntilReport();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].Text, "Office: netsh did not finish within 60 s");
  EXPECT_TRUE(netsh->Released);
}

// Every way an apply can end gives its report with the automatic prefix when the apply was
// automatic: refused before netsh, netsh not started, and followed to the adapter's state.
TEST_F(ApplyFollowerTest, AnAutomaticApplySaysSoInWhicheverReportItGives) {
  struct TCase {
    const char* name;
    TNetInfo profile;
    unsigned long startError;  // 0: netsh starts and ends with 0
    const char* text;
  };
  const TCase cases[] = {
      {"refused", WithLan(StoredOffice(), "Lab LAN"), 0,
       "Switched automatically: No adapter named \"Lab LAN\" on this computer; nothing was "
       "changed"},
      {"declined", StoredOffice(), 1223,
       "Switched automatically: Administrator rights were declined; nothing was changed"},
      {"verified", StoredOffice(), 0,
       "Switched automatically: Office is active on Ethernet: 10.0.0.5/24, gateway 10.0.0.1, "
       "DNS 10.0.0.1, 10.0.0.2"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    reports.clear();
    std::shared_ptr<TFakeProgram::TState> netsh;
    follower.Apply(
        "Office", c.profile,
        [&](const TNetInfo&) {
          if (c.startError) return TStartResult::Failed(c.startError, "canceled");
          TStartResult started = Running(netsh);
          netsh->ExitCode = 0;
          return started;
        },
        TApplyReason::Automatic);
    PumpUntilReport();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Title, "Office");
    EXPECT_EQ(reports[0].Text, c.text);
  }
}

// What the window shows while a run is pending: told once netsh has started, with the
// name netsh was given (a renamed adapter's new one); gone by the time the run reports.
TEST_F(ApplyFollowerTest, APendingRunNamesItsProfileAndTheAdapterNetshWasGiven) {
  adapters.Reading = ReadingOf({OfficeAdapterNamed("Ethernet 2")});
  TNetInfo stored = StoredOffice();
  stored.AdapterId = kOfficeAdapterId;
  std::vector<TApplyFollower::TPending> told;
  bool pendingAtReport = true;
  TApplyFollower watched{adapters,
                         [&](const TApplyReport& r) {
                           reports.push_back(r);
                           pendingAtReport = watched.PendingRun() != nullptr;
                         },
                         [this] { return now; }};
  watched.OnPending = [&](const TApplyFollower::TPending& pending) { told.push_back(pending); };

  watched.Follow("Office", stored, TStartResult::Failed(1223, "canceled"));
  EXPECT_TRUE(told.empty()) << "nothing pending after a start that failed";

  std::shared_ptr<TFakeProgram::TState> netsh;
  watched.Apply(
      "Office", stored, [&](const TNetInfo&) { return Running(netsh); }, TApplyReason::Automatic);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].Caption, "Office");
  EXPECT_EQ(told[0].Adapter, "Ethernet 2");
  EXPECT_EQ(told[0].Reason, TApplyReason::Automatic);
  ASSERT_NE(watched.PendingRun(), nullptr);
  EXPECT_EQ(watched.PendingRun()->Adapter, "Ethernet 2");
  netsh->ExitCode = 0;
  PumpMessages(2000, [&] { return reports.size() == 2; });
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_FALSE(pendingAtReport);
  EXPECT_EQ(told.size(), 1u);
}

// Each reading takes a second of the follower's clock, and the adapter never becomes as
// wanted: the run reads until its settle time is over, one reading a tick, so the window
// is held up by one reading at a time, never by the whole run of them.
class TSlowAdapters : public TTableAdapterSource {
 public:
  explicit TSlowAdapters(long long& now) : now_(now) { Reading = ReadingOf({Unconfiguredish()}); }
  TAdapterReading Read() override {
    now_ += 1000;
    return TTableAdapterSource::Read();
  }

 private:
  long long& now_;
};

TEST(ApplyFollower, ReadsTheAdaptersOnceATickAtMostWhenReadingIsSlow) {
  long long now = 1000;
  TSlowAdapters adapters(now);
  std::vector<TApplyReport> reports;
  TApplyFollower follower(adapters, [&](const TApplyReport& r) { reports.push_back(r); },
                          [&] { return now; });
  auto netsh = std::make_shared<TFakeProgram::TState>();
  follower.Follow("Office", StoredOffice(),
                  TStartResult::Running(std::make_unique<TFakeProgram>(netsh)));
  netsh->ExitCode = 0;
  int seen = 0;
  int most = 0;
  PumpMessages(20000, [&] {
    most = std::max(most, adapters.Reads - seen);
    seen = adapters.Reads;
    return !reports.empty();
  });
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_GT(adapters.Reads, 1) << "the run reads again until its settle time is over";
  EXPECT_EQ(most, 1) << "readings in one message";
}

TEST(ApplyFollower, GoesWithoutWaitingForAPendingRun) {
  TFakeAdapters adapters;
  auto netsh = std::make_shared<TFakeProgram::TState>();
  bool reported = false;
  {
    TApplyFollower follower(adapters, [&](const TApplyReport&) { reported = true; });
    follower.Follow("Office", StoredOffice(),
                    TStartResult::Running(std::make_unique<TFakeProgram>(netsh)));
  }
  EXPECT_TRUE(netsh->Released);
  PumpMessages(250);
  EXPECT_FALSE(reported);
}

}  // namespace
