// When the network watch tells of a change: once per burst of notices after a quiet moment,
// within a bound for a burst that does not end, and on a period only where the system gives
// no notices and something asks.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "NetworkWatchSchedule.h"

// Found by GoogleTest through the step's own (global) namespace.
void PrintTo(const TNetworkWatchSchedule::TStep& step, std::ostream* out) {
  *out << "{report " << step.Report << ", rearm " << step.Rearm << ", " << step.TimerMs << " ms}";
}

namespace {

using TStep = TNetworkWatchSchedule::TStep;

enum class TEvent { Notice, Timer, Wanted, NotWanted };

struct TMoment {
  TEvent event;
  long long at;
  TStep expected;
};

struct TScenario {
  const char* name;
  bool noticesWork;
  std::vector<TMoment> moments;
};

constexpr unsigned kQuiet = TNetworkWatchSchedule::kQuietMs;
constexpr unsigned kFallback = TNetworkWatchSchedule::kFallbackMs;

const TStep kNothing{};
const TStep kStop{false, true, 0};
TStep ArmFor(unsigned ms) {
  return {false, true, ms};
}
TStep ReportThenArm(unsigned ms) {
  return {true, true, ms};
}
const TStep kReportOnly{true, false, kFallback};

const TScenario kScenarios[] = {
    {"a burst tells once, after it has been quiet",
     true,
     {{TEvent::Notice, 1000, ArmFor(kQuiet)},
      {TEvent::Notice, 1010, kNothing},
      {TEvent::Notice, 1200, kNothing},
      {TEvent::Timer, 1500, ArmFor(200)},
      {TEvent::Timer, 1700, ReportThenArm(0)}}},
    {"a tick a little early waits for the rest",
     true,
     {{TEvent::Notice, 0, ArmFor(kQuiet)},
      {TEvent::Timer, 490, ArmFor(10)},
      {TEvent::Timer, 500, ReportThenArm(0)}}},
    {"a burst that never goes quiet still tells within the longest wait",
     true,
     {{TEvent::Notice, 0, ArmFor(kQuiet)},
      {TEvent::Notice, 400, kNothing},
      {TEvent::Timer, 500, ArmFor(400)},
      {TEvent::Notice, 800, kNothing},
      {TEvent::Timer, 900, ArmFor(100)},
      {TEvent::Notice, 950, kNothing},
      {TEvent::Timer, 1000, ReportThenArm(0)},
      {TEvent::Notice, 1020, ArmFor(kQuiet)}}},
    {"working notices arm nothing when something asks",
     true,
     {{TEvent::Wanted, 0, kNothing},
      {TEvent::Wanted, 10, kNothing},
      {TEvent::NotWanted, 20, kNothing}}},
    {"without notices, the period runs only while something asks",
     false,
     {{TEvent::NotWanted, 0, kNothing},
      {TEvent::Wanted, 100, ArmFor(kFallback)},
      {TEvent::Timer, 2100, kReportOnly},
      {TEvent::Wanted, 2500, kNothing},  // asked again: the period is not restarted
      {TEvent::Timer, 4100, kReportOnly},
      {TEvent::NotWanted, 5000, kStop},
      {TEvent::Timer, 6100, kNothing}}},  // a tick that was already queued
    {"a notice without notices working (some registration took) interrupts the period",
     false,
     {{TEvent::Wanted, 0, ArmFor(kFallback)},
      {TEvent::Notice, 300, ArmFor(kQuiet)},
      {TEvent::NotWanted, 400, kNothing},  // the burst's end decides
      {TEvent::Timer, 800, ReportThenArm(0)},
      {TEvent::Wanted, 900, ArmFor(kFallback)},
      {TEvent::Notice, 1000, ArmFor(kQuiet)},
      {TEvent::Timer, 1500, ReportThenArm(kFallback)}}},
};

void PrintTo(const TScenario& scenario, std::ostream* out) {
  *out << scenario.name;
}

class NetworkWatchScheduleTest : public ::testing::TestWithParam<TScenario> {};

TEST_P(NetworkWatchScheduleTest, AnswersEachEvent) {
  const TScenario& scenario = GetParam();
  TNetworkWatchSchedule schedule(scenario.noticesWork);
  for (const TMoment& moment : scenario.moments) {
    TStep step;
    switch (moment.event) {
      case TEvent::Notice:
        step = schedule.Noticed(moment.at);
        break;
      case TEvent::Timer:
        step = schedule.TimerElapsed(moment.at);
        break;
      case TEvent::Wanted:
        step = schedule.SetWanted(true);
        break;
      case TEvent::NotWanted:
        step = schedule.SetWanted(false);
        break;
    }
    EXPECT_EQ(step, moment.expected) << "at " << moment.at << " ms";
  }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, NetworkWatchScheduleTest, ::testing::ValuesIn(kScenarios),
                         [](const auto& scenario) {
                           std::string name;
                           for (const char* c = scenario.param.name; *c; ++c)
                             name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                           return name;
                         });

TEST(NetworkWatchSchedule, FallbackIsInUseOnlyWithoutNoticesAndWhileAsked) {
  for (const bool noticesWork : {true, false}) {
    TNetworkWatchSchedule schedule(noticesWork);
    EXPECT_FALSE(schedule.FallbackInUse());
    schedule.SetWanted(true);
    EXPECT_EQ(schedule.FallbackInUse(), !noticesWork);
    schedule.SetWanted(false);
    EXPECT_FALSE(schedule.FallbackInUse());
  }
}

}  // namespace
