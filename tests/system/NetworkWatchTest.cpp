// The network watch on its real window and timer, with the system's notices played by a
// double that gives them from threads of its own, and with the system's own registrations.
#include "NetworkWatch.h"

#include <gtest/gtest.h>

#include <memory>

#include "SystemNetshReplaced.h"
#include "TestPump.h"
#include "ThreadedNetworkNotices.h"
#include "TimerMessageCount.h"
#include "Win32NetworkChangeNotices.h"

namespace {

// A watch on the double; its clock stands still unless the test moves it.
class NetworkWatchTest : public testing::Test {
 protected:
  void Watch(bool registrationsWork) {
    auto notices = std::make_unique<TThreadedNetworkNotices>(registrationsWork, state_);
    double_ = notices.get();
    watch_ = std::make_unique<TNetworkWatch>(
        std::move(notices), [this] { ++changes_; }, [this] { return now_; });
  }

  // Until nothing more can come: the watch's timer is stopped and the queue is empty.
  void PumpUntilSettled(DWORD ms = 10000) {
    PumpMessages(ms, [this] { return !watch_->Timer().Enabled(); });
    PumpMessages(0);
  }

  std::shared_ptr<TThreadedNetworkNotices::TState> state_ =
      std::make_shared<TThreadedNetworkNotices::TState>();
  TThreadedNetworkNotices* double_ = nullptr;
  std::unique_ptr<TNetworkWatch> watch_;
  long long now_ = 0;
  int changes_ = 0;
};

// The notices keep coming while the window handles them, each one on its own: still one
// change is told, and only once the clock says the burst has been quiet.
TEST_F(NetworkWatchTest, BurstFromAnotherThreadTellsOnceAfterItIsQuiet) {
  Watch(true);
  double_->GiveBurst(20, 2);
  PumpMessages(10000, [this] { return state_->NoticesGiven == 20; });
  ASSERT_EQ(state_->NoticesGiven, 20);
  PumpMessages(0);
  EXPECT_EQ(changes_, 0) << "told before the burst was quiet";
  EXPECT_TRUE(watch_->Timer().Enabled()) << "nothing waits for the quiet moment";

  now_ += TNetworkWatchSchedule::kQuietMs;
  PumpUntilSettled();
  EXPECT_EQ(changes_, 1);
  EXPECT_FALSE(watch_->Timer().Enabled());

  // The next burst is a new change.
  double_->GiveBurst(3);
  PumpMessages(10000, [this] { return state_->NoticesGiven == 23 && watch_->Timer().Enabled(); });
  // The last notices may have been posted after the queue was emptied: handled now, they
  // would otherwise come after the clock has moved and start the quiet moment anew.
  PumpMessages(0);
  now_ += TNetworkWatchSchedule::kQuietMs;
  PumpUntilSettled();
  EXPECT_EQ(changes_, 2);
}

struct TIdleCase {
  const char* name;
  bool registrationsWork;
  bool wanted;
  bool fallback;
};

const TIdleCase kIdleCases[] = {
    {"notices work, nothing asks", true, false, false},
    {"notices work, a profile asks", true, true, false},
    {"no notices, nothing asks", false, false, false},
    {"no notices, a profile asks", false, true, true},
};

// Between bursts only the fallback keeps a timer; otherwise the watch costs no wake-up.
TEST_F(NetworkWatchTest, KeepsATimerOnlyForTheFallbackWhileAsked) {
  for (const TIdleCase& idle : kIdleCases) {
    SCOPED_TRACE(idle.name);
    Watch(idle.registrationsWork);
    watch_->SetWanted(idle.wanted);
    EXPECT_EQ(watch_->NoticesWork(), idle.registrationsWork);
    EXPECT_EQ(watch_->FallbackInUse(), idle.fallback);
    EXPECT_EQ(watch_->Timer().Enabled(), idle.fallback);
    watch_.reset();
  }
}

// Where the system took the registrations without a handle (Wine): a reading every 2 s while
// asked, none at all once nothing asks.
TEST_F(NetworkWatchTest, FallbackTicksOnlyWhileAsked) {
  Watch(false);
  const unsigned long long timerMessagesBefore = TimerMessagesHandled();
  PumpMessages(300);
  EXPECT_EQ(TimerMessagesHandled(), timerMessagesBefore) << "a timer runs while nothing asks";
  EXPECT_EQ(changes_, 0);

  watch_->SetWanted(true);
  EXPECT_EQ(watch_->Timer().Interval(), TNetworkWatchSchedule::kFallbackMs);
  PumpMessages(20000, [this] { return changes_ >= 2; });
  EXPECT_EQ(changes_, 2) << "the fallback does not go on ticking";

  watch_->SetWanted(false);
  EXPECT_FALSE(watch_->Timer().Enabled());
  const int changesWhenUnasked = changes_;
  PumpMessages(300);
  EXPECT_EQ(changes_, changesWhenUnasked);
}

// The double gives notices without a pause, from its own thread, as the watch goes: no
// notice outlives the watch and nothing is told afterwards, messages already queued
// included.
TEST_F(NetworkWatchTest, DestroyingItWhileNoticesArePostedIsSafe) {
  Watch(true);
  double_->KeepGiving();
  PumpMessages(10000, [this] { return state_->NoticesGiven > 1000 && watch_->Timer().Enabled(); });
  ASSERT_TRUE(watch_->Timer().Enabled());
  now_ += TNetworkWatchSchedule::kLongestWaitMs;  // a tick from now on would tell
  watch_.reset();
  EXPECT_FALSE(state_->Registered) << "the notices were not withdrawn";
  const int noticesAtTheEnd = state_->NoticesGiven;
  PumpMessages(TNetworkWatchSchedule::kQuietMs * 2);
  EXPECT_EQ(changes_, 0);
  EXPECT_EQ(state_->NoticesGiven, noticesAtTheEnd);
}

// The system's own registrations. Measured under Wine 8: all three are taken with success
// and no handle (and never call back), so the watch falls back; elsewhere they work.
TEST(Win32NetworkChangeNotices, WorkWhereTheSystemGivesHandles) {
  TWin32NetworkChangeNotices notices;
  int calls = 0;
  EXPECT_EQ(notices.Start([&calls] { ++calls; }), !RunningUnderWine());
  notices.Stop();
  // Starting anew after a stop, and being destroyed while started.
  EXPECT_EQ(notices.Start([&calls] { ++calls; }), !RunningUnderWine());
}

TEST(Win32NetworkChangeNotices, LeaveTheWatchWithoutTimerWhileNothingAsks) {
  int changes = 0;
  TNetworkWatch watch(std::make_unique<TWin32NetworkChangeNotices>(), [&changes] { ++changes; });
  EXPECT_EQ(watch.NoticesWork(), !RunningUnderWine());
  EXPECT_FALSE(watch.Timer().Enabled());
  watch.SetWanted(true);
  EXPECT_EQ(watch.FallbackInUse(), RunningUnderWine());
}

}  // namespace
