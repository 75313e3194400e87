// The guard between the system and our window procedures: whatever a handler throws is
// shown in the application's error box and the system gets the fallback result.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "TestApplication.h"
#include "WindowProcGuard.h"

namespace {

struct GuardCase {
  const char* Name;
  void (*Throw)();
  const char* Shown;
};

class WindowProcGuardTest : public ApplicationTest,
                            public testing::WithParamInterface<GuardCase> {};

TEST_P(WindowProcGuardTest, ShowsTheErrorAndAnswersTheFallback) {
  const LRESULT result = GuardWindowProc(
      []() -> LRESULT {
        GetParam().Throw();
        return 5;
      },
      -1);
  EXPECT_EQ(result, -1);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].Text, GetParam().Shown);
  EXPECT_EQ(errors[0].Caption, "Ardenix");
  EXPECT_EQ(errors[0].Flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
}

INSTANTIATE_TEST_SUITE_P(
    Thrown, WindowProcGuardTest,
    testing::Values(
        GuardCase{"StandardError", [] { throw std::runtime_error("Cannot write the store"); },
                  "Cannot write the store."},
        GuardCase{"LogicError", [] { throw std::out_of_range("No such item."); },
                  "No such item."},
        GuardCase{"NotAnException", [] { throw 42; }, "Unexpected error."}),
    [](const testing::TestParamInfo<GuardCase>& thrown) { return std::string(thrown.param.Name); });

TEST_F(ApplicationTest, AGuardedProcedureThatDoesNotThrowAnswersItsOwnResult) {
  EXPECT_EQ(GuardWindowProc([] { return LRESULT{7}; }, -1), 7);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
