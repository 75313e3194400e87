#include <windows.h>

#include <gtest/gtest.h>

#include "Application.h"
#include "Form.h"

namespace {

constexpr UINT kLook = WM_APP + 11;

// What the windows looked like once the loop handled its first message.
struct TStartState {
  bool MainFormShown = false;
  bool MainFormMaximised = false;
  bool ApplicationShown = false;
  bool ApplicationMinimised = false;
};

// Runs a fresh application whose main form is a plain form; the first message the loop
// handles records the state and terminates it.
TStartState RunWith(int showCommand, bool showMainForm) {
  TApplication app;
  app.Initialize(GetModuleHandleA(nullptr), showCommand);
  auto* form = app.CreateForm<TForm>();
  app.ShowMainForm = showMainForm;
  TStartState state;
  struct TLook {
    TStartState* State;
    TForm* Form;
    static bool Callback(void* object, TMessage& message) {
      if (message.Msg != kLook) return false;
      auto* self = static_cast<TLook*>(object);
      HWND main = self->Form->Handle();
      self->State->MainFormShown = main && IsWindowVisible(main);
      self->State->MainFormMaximised = main && IsZoomed(main);
      self->State->ApplicationShown = IsWindowVisible(Application->Handle()) != FALSE;
      self->State->ApplicationMinimised = Application->IsMinimized();
      Application->Terminate();
      return true;
    }
  } look{&state, form};
  app.HookMainWindow({&look, &TLook::Callback});
  PostMessageA(app.Handle(), kLook, 0, 0);
  app.Run();
  app.UnhookMainWindow({&look, &TLook::Callback});
  return state;
}

struct StartCase {
  int ShowCommand;
  bool MainFormShown;
  bool MainFormMaximised;
  bool ApplicationMinimised;
};

class RunShowCommand : public testing::TestWithParam<StartCase> {};

TEST_P(RunShowCommand, ShowsTheMainFormAsTheProgramWasStarted) {
  const StartCase& c = GetParam();
  const TStartState state = RunWith(c.ShowCommand, true);
  EXPECT_EQ(state.MainFormShown, c.MainFormShown);
  EXPECT_EQ(state.MainFormMaximised, c.MainFormMaximised);
  EXPECT_EQ(state.ApplicationMinimised, c.ApplicationMinimised);
  EXPECT_TRUE(state.ApplicationShown);  // the taskbar button is there in every case
}

// 3 maximises, 7 minimises the application (hiding its main form); anything else,
// including the other minimised command 2, shows the form normally.
INSTANTIATE_TEST_SUITE_P(Cases, RunShowCommand,
                         testing::Values(StartCase{SW_SHOWNORMAL, true, false, false},
                                         StartCase{SW_SHOWDEFAULT, true, false, false},
                                         StartCase{SW_SHOWMAXIMIZED, true, true, false},
                                         StartCase{SW_SHOWMINNOACTIVE, false, false, true},
                                         StartCase{SW_SHOWMINIMIZED, true, false, false}));

TEST(Run, WithoutShowMainFormNothingIsShown) {
  const TStartState state = RunWith(SW_SHOWNORMAL, false);
  EXPECT_FALSE(state.MainFormShown);
  EXPECT_FALSE(state.ApplicationShown);
  EXPECT_FALSE(state.ApplicationMinimised);
}

TEST(Run, TheApplicationObjectIsReachableOnlyWhileItLives) {
  EXPECT_EQ(Application, nullptr);
  {
    TApplication app;
    EXPECT_EQ(Application, &app);
    EXPECT_THROW(TApplication second, std::logic_error);
    EXPECT_EQ(Application, &app);
  }
  EXPECT_EQ(Application, nullptr);
}

}  // namespace
