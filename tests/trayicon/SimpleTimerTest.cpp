// The simple timer on real window timers under Wine.
#include "SimpleTimer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "TestPump.h"

namespace {

constexpr UINT ShortInterval = 10;

// Whether the timer's platform timer is armed: takes the shared window's pending WM_TIMER
// messages out of the queue without running any handler, until one of the timer's is seen
// or a second has passed. A loaded machine delivers ticks late, so presence is waited for
// and absence takes the whole second (some fifty periods).
bool Armed(const TSimpleTimer& timer) {
  const ULONGLONG start = GetTickCount64();
  do {
    Sleep(ShortInterval);
    MSG message;
    while (PeekMessageA(&message, SharedTimerHandler.Get()->Window(), WM_TIMER, WM_TIMER,
                        PM_REMOVE)) {
      if (message.wParam == timer.TimerId()) return true;
    }
  } while (GetTickCount64() - start < 1000);
  return false;
}

enum class Start { Idle, Running, SuspendedByInterval0, SuspendedWithoutHandler };

struct StateCase {
  const char* name;
  Start start;
  std::function<void(TSimpleTimer&)> operation;
  bool enabled;
  bool armed;
};

std::ostream& operator<<(std::ostream& out, const StateCase& c) {
  return out << c.name;
}

void Tick(TObject*) {}

std::unique_ptr<TSimpleTimer> TimerIn(Start start) {
  auto timer = std::make_unique<TSimpleTimer>(ShortInterval, Tick);
  if (start != Start::Idle) timer->SetEnabled(true);
  if (start == Start::SuspendedByInterval0) timer->SetInterval(0);
  if (start == Start::SuspendedWithoutHandler) timer->SetOnTimer(nullptr);
  return timer;
}

class TimerStates : public testing::TestWithParam<StateCase> {};

TEST_P(TimerStates, OperationLeadsToState) {
  const StateCase& c = GetParam();
  std::unique_ptr<TSimpleTimer> timer = TimerIn(c.start);
  c.operation(*timer);
  EXPECT_EQ(timer->Enabled(), c.enabled);
  EXPECT_EQ(Armed(*timer), c.armed);
}

void Enable(TSimpleTimer& t) {
  t.SetEnabled(true);
}
void Disable(TSimpleTimer& t) {
  t.SetEnabled(false);
}
void Interval20(TSimpleTimer& t) {
  t.SetInterval(20);
}
void Interval0(TSimpleTimer& t) {
  t.SetInterval(0);
}
void ClearHandler(TSimpleTimer& t) {
  t.SetOnTimer(nullptr);
}
void NewHandler(TSimpleTimer& t) {
  t.SetOnTimer(Tick);
}
void Nothing(TSimpleTimer&) {}

INSTANTIATE_TEST_SUITE_P(
    Table, TimerStates,
    testing::Values(
        StateCase{"IdleStaysIdle", Start::Idle, Nothing, false, false},
        StateCase{"IdleEnabledRuns", Start::Idle, Enable, true, true},
        StateCase{"IdleNewIntervalStaysIdle", Start::Idle, Interval20, false, false},
        StateCase{"IdleNewHandlerStaysIdle", Start::Idle, NewHandler, false, false},
        StateCase{"RunningEnabledAgainRuns", Start::Running, Enable, true, true},
        StateCase{"RunningNewIntervalRuns", Start::Running, Interval20, true, true},
        StateCase{"RunningInterval0Suspends", Start::Running, Interval0, true, false},
        StateCase{"RunningWithoutHandlerSuspends", Start::Running, ClearHandler, true, false},
        StateCase{"RunningNewHandlerRuns", Start::Running, NewHandler, true, true},
        StateCase{"RunningDisabledIsIdle", Start::Running, Disable, false, false},
        StateCase{"SuspendedNewIntervalRuns", Start::SuspendedByInterval0, Interval20, true, true},
        StateCase{"SuspendedAtInterval0CannotBeEnabled", Start::SuspendedByInterval0, Enable, true,
                  false},
        StateCase{"SuspendedWithoutHandlerEnabledRuns", Start::SuspendedWithoutHandler, Enable,
                  true, true},
        StateCase{"HandlerAgainDoesNotResume", Start::SuspendedWithoutHandler, NewHandler, true,
                  false},
        StateCase{"SuspendedDisabledIsIdle", Start::SuspendedWithoutHandler, Disable, false,
                  false}),
    [](const testing::TestParamInfo<StateCase>& param) { return std::string(param.param.name); });

TEST(SimpleTimer, DefaultsAndConstructors) {
  TSimpleTimer plain;
  EXPECT_EQ(plain.Interval(), 1000u);
  EXPECT_FALSE(plain.Enabled());
  EXPECT_FALSE(plain.OneShot());
  EXPECT_FALSE(plain.OnTimer());
  TSimpleTimer given(250, Tick);
  EXPECT_EQ(given.Interval(), 250u);
  EXPECT_FALSE(given.Enabled()) << "a handler alone does not start the timer";
  EXPECT_NE(plain.TimerId(), given.TimerId());
}

TEST(SimpleTimer, Interval0RefusesToArm) {
  TSimpleTimer timer(0, Tick);
  EXPECT_FALSE(timer.Activate());
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_FALSE(Armed(timer));
  EXPECT_FALSE(timer.Deactivate(true)) << "nothing armed, nothing to kill";
}

TEST(SimpleTimer, TicksCallTheHandlerWithTheTimer) {
  std::vector<TObject*> senders;
  TSimpleTimer timer(ShortInterval, [&](TObject* sender) { senders.push_back(sender); });
  timer.SetEnabled(true);
  PumpMessages(20000, [&] { return senders.size() >= 3; });
  ASSERT_GE(senders.size(), 3u);
  for (TObject* sender : senders) EXPECT_EQ(sender, &timer);
  timer.SetEnabled(false);
  const size_t before = senders.size();
  PumpMessages(ShortInterval * 5);
  EXPECT_EQ(senders.size(), before) << "a disabled timer delivers no further tick";
}

// The first tick after a change half-way into a 1000 ms period, in ms after the change:
// the same interval keeps the period (a tick about 500 ms on), another one restarts it
// (not before its whole interval). The gap between the two is wide, so that a loaded
// machine's late tick (a few hundred ms) cannot pass for a restarted period.
ULONGLONG FirstTickAfterChange(UINT newInterval) {
  ULONGLONG firstTick = 0;
  TSimpleTimer timer(1000, [&](TObject*) {
    if (!firstTick) firstTick = GetTickCount64();
  });
  timer.SetEnabled(true);
  PumpMessages(500);
  const ULONGLONG changedAt = GetTickCount64();
  timer.SetInterval(newInterval);
  PumpMessages(30000, [&] { return firstTick != 0; });
  return firstTick ? firstTick - changedAt : 0;
}

TEST(SimpleTimer, SameIntervalKeepsThePeriodAnotherRestartsIt) {
  const ULONGLONG same = FirstTickAfterChange(1000);
  const ULONGLONG other = FirstTickAfterChange(1001);
  std::printf("first tick after the change: same interval %llu ms, new interval %llu ms\n",
              same, other);
  EXPECT_GT(same, 0u) << "no tick";
  EXPECT_LT(same, 900u) << "the same interval restarted the period";
  EXPECT_GE(other, 990u) << "another interval kept the old period";
}

TEST(SimpleTimer, OneShotHandlerRunsDisabledAndMayRearm) {
  int ticks = 0;
  std::vector<bool> enabledInHandler;
  TSimpleTimer timer(ShortInterval, nullptr);
  timer.SetOneShot(true);
  timer.SetOnTimer([&](TObject*) {
    ++ticks;
    enabledInHandler.push_back(timer.Enabled());
    if (ticks < 3) timer.SetEnabled(true);
  });
  timer.SetEnabled(true);
  PumpMessages(30000, [&] { return ticks >= 3; });
  PumpMessages(ShortInterval * 10);  // a fourth tick would come in this time
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(enabledInHandler, (std::vector<bool>{false, false, false}));
  EXPECT_FALSE(timer.Enabled());
}

TEST(SimpleTimer, SharedWindowLivesWithTheTimers) {
  ASSERT_EQ(SharedTimerHandler.Get(), nullptr);
  auto first = std::make_unique<TSimpleTimer>();
  ASSERT_NE(SharedTimerHandler.Get(), nullptr);
  const HWND window = SharedTimerHandler.Get()->Window();
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(SharedTimerHandler.Get()->UserCount(), 1u);
  auto second = std::make_unique<TSimpleTimer>();
  EXPECT_EQ(SharedTimerHandler.Get()->Window(), window);
  EXPECT_EQ(SharedTimerHandler.Get()->UserCount(), 2u);
  first.reset();
  EXPECT_EQ(SharedTimerHandler.Get()->UserCount(), 1u);
  EXPECT_TRUE(IsWindow(window));
  second.reset();
  EXPECT_EQ(SharedTimerHandler.Get(), nullptr);
  EXPECT_FALSE(IsWindow(window));

  TSimpleTimer again(ShortInterval, Tick);
  ASSERT_NE(SharedTimerHandler.Get(), nullptr);
  EXPECT_TRUE(IsWindow(SharedTimerHandler.Get()->Window()));
  again.SetEnabled(true);
  EXPECT_TRUE(Armed(again));
}

TEST(SimpleTimer, DestroyingASuspendedTimerIsHarmless) {
  TSimpleTimer keeper;
  auto timer = std::make_unique<TSimpleTimer>(ShortInterval, Tick);
  timer->SetEnabled(true);
  timer->SetOnTimer(nullptr);
  EXPECT_FALSE(timer->Deactivate(false)) << "suspended: nothing armed";
  timer.reset();
  EXPECT_EQ(SharedTimerHandler.Get()->UserCount(), 1u);
}

TEST(SimpleTimer, TickForAGoneTimerIsDropped) {
  TSimpleTimer keeper;
  auto gone = std::make_unique<TSimpleTimer>(ShortInterval, Tick);
  const UINT_PTR goneId = gone->TimerId();
  gone.reset();
  SendMessageA(SharedTimerHandler.Get()->Window(), WM_TIMER, goneId, 0);
  TSimpleTimer next;
  EXPECT_NE(next.TimerId(), goneId) << "identifiers are not reused while the window lives";
}

TEST(SimpleTimer, LastTimerMayDestroyItselfInItsHandler) {
  ASSERT_EQ(SharedTimerHandler.Get(), nullptr);
  bool ran = false;
  auto* timer = new TSimpleTimer(ShortInterval, nullptr);
  const HWND window = SharedTimerHandler.Get()->Window();
  timer->SetOnTimer([&](TObject* sender) {
    ran = true;
    delete static_cast<TSimpleTimer*>(sender);
  });
  timer->SetEnabled(true);
  PumpMessages(20000, [&] { return ran; });
  ASSERT_TRUE(ran);
  EXPECT_EQ(SharedTimerHandler.Get(), nullptr);
  TSimpleTimer next(ShortInterval, Tick);
  EXPECT_FALSE(IsWindow(window)) << "the retired window goes with the next attach";
  next.SetEnabled(true);
  EXPECT_TRUE(Armed(next));
}

TEST(SimpleTimer, MeasuredTickInterval) {
  for (UINT interval : {20u, 100u}) {
    std::vector<ULONGLONG> at;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    TSimpleTimer timer(interval, [&](TObject*) {
      LARGE_INTEGER now;
      QueryPerformanceCounter(&now);
      at.push_back(static_cast<ULONGLONG>(now.QuadPart));
    });
    timer.SetEnabled(true);
    const size_t wanted = interval == 20 ? 51 : 11;
    // Waits for the ticks, not for a time: a loaded machine delivers them late.
    PumpMessages(60000, [&] { return at.size() >= wanted; });
    timer.SetEnabled(false);
    ASSERT_GE(at.size(), wanted);
    const double mean = 1000.0 * static_cast<double>(at.back() - at.front()) /
                        static_cast<double>(frequency.QuadPart) / static_cast<double>(wanted - 1);
    std::printf("interval %u ms: mean tick period %.2f ms over %zu ticks\n", interval, mean,
                wanted - 1);
    EXPECT_GT(mean, interval * 0.5);
    EXPECT_LT(mean, interval * 10.0);
  }
}

}  // namespace
