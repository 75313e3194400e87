#include "Application.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Form.h"
#include "TestApplication.h"
#include "UtilityWindow.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;

// A hook that notes its name for kProbe and answers with a fixed result.
struct TRecordingHook {
  std::vector<std::string>* Log;
  std::string Name;
  bool Handles;

  static bool Callback(void* object, TMessage& message) {
    auto* self = static_cast<TRecordingHook*>(object);
    if (message.Msg != kProbe) return false;
    self->Log->push_back(self->Name);
    if (self->Handles) message.Result = 42;
    return self->Handles;
  }
  TWindowHook Hook() { return {this, &TRecordingHook::Callback}; }
};

TEST_F(ApplicationTest, HooksRunInOrderAddedAndATrueResultEndsTheHandling) {
  std::vector<std::string> log;
  TRecordingHook first{&log, "first", false};
  TRecordingHook second{&log, "second", true};
  TRecordingHook third{&log, "third", false};
  app->HookMainWindow(first.Hook());
  app->HookMainWindow(second.Hook());
  app->HookMainWindow(third.Hook());

  EXPECT_EQ(SendMessageA(app->Handle(), kProbe, 0, 0), 42);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));

  log.clear();
  app->UnhookMainWindow(second.Hook());
  EXPECT_EQ(SendMessageA(app->Handle(), kProbe, 0, 0), 0);  // the default handling ran
  EXPECT_EQ(log, (std::vector<std::string>{"first", "third"}));
}

TEST_F(ApplicationTest, AHookRemovedByAnEarlierOneIsNotCalled) {
  std::vector<std::string> log;
  TRecordingHook removed{&log, "removed", false};
  struct TRemover {
    TApplication* App;
    TWindowHook Victim;
    static bool Callback(void* object, TMessage& message) {
      auto* self = static_cast<TRemover*>(object);
      if (message.Msg == kProbe) self->App->UnhookMainWindow(self->Victim);
      return false;
    }
  } remover{app.get(), removed.Hook()};
  app->HookMainWindow({&remover, &TRemover::Callback});
  app->HookMainWindow(removed.Hook());
  SendMessageA(app->Handle(), kProbe, 0, 0);
  EXPECT_TRUE(log.empty());
  app->UnhookMainWindow({&remover, &TRemover::Callback});
}

TEST_F(ApplicationTest, AHookSeesTheApplicationsOwnMessagesFirst) {
  // A hook that swallows WM_CLOSE keeps the main form from closing.
  auto* form = app->CreateForm<TForm>();
  form->Show();
  struct TSwallowClose {
    static bool Callback(void*, TMessage& message) { return message.Msg == WM_CLOSE; }
  };
  app->HookMainWindow({nullptr, &TSwallowClose::Callback});
  SendMessageA(app->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(app->Terminated());

  app->UnhookMainWindow({nullptr, &TSwallowClose::Callback});
  SendMessageA(app->Handle(), WM_CLOSE, 0, 0);  // closes the main form: the end
  EXPECT_TRUE(app->Terminated());
}

struct ErrorTextCase {
  const char* Raised;
  const char* Shown;
};

class ErrorBoxText : public ApplicationTest, public testing::WithParamInterface<ErrorTextCase> {};

TEST_P(ErrorBoxText, FullStopFollowsTheLastCharactersCode) {
  app->ShowException(std::runtime_error(GetParam().Raised));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].Text, GetParam().Shown);
  EXPECT_EQ(errors[0].Caption, "Ardenix");
  EXPECT_EQ(errors[0].Flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
}

// Characters above "." (0x2E) by code get one: letters, digits, "/", "?", and the
// upper half of the code page read as unsigned.
INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorBoxText,
    testing::Values(ErrorTextCase{"Cannot write the file", "Cannot write the file."},
                    ErrorTextCase{"Already a sentence.", "Already a sentence."},
                    ErrorTextCase{"", ""}, ErrorTextCase{"Trailing space ", "Trailing space "},
                    ErrorTextCase{"Ends with a comma,", "Ends with a comma,"},
                    ErrorTextCase{"In brackets (x)", "In brackets (x)"},
                    ErrorTextCase{"Ends with a dash -", "Ends with a dash -"},
                    ErrorTextCase{"Path C:\\dir/", "Path C:\\dir/."},
                    ErrorTextCase{"Error 5", "Error 5."}, ErrorTextCase{"Really?", "Really?."},
                    ErrorTextCase{"Caf\xE9", "Caf\xE9."}));

TEST_F(ApplicationTest, AnErrorInAWindowHandlerIsShownAndTheProgramGoesOn) {
  int handled = 0;
  std::unique_ptr<TUtilityWindow> window;
  window = std::make_unique<TUtilityWindow>([&](UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
      ++handled;
      if (wParam == 1) throw std::runtime_error("Cannot write C:\\x\\Ardenix.INI");
      return LRESULT{7};
    }
    return window->DefaultHandling(message, wParam, lParam);
  });

  EXPECT_EQ(SendMessageA(window->Handle(), kProbe, 1, 0), 0);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].Text, "Cannot write C:\\x\\Ardenix.INI.");
  EXPECT_EQ(errors[0].Caption, "Ardenix");

  // Posted and dispatched by the application's loop: same handling, the loop goes on.
  PostMessageA(window->Handle(), kProbe, 1, 0);
  PostMessageA(window->Handle(), kProbe, 0, 0);
  app->ProcessMessages();
  EXPECT_EQ(handled, 3);
  EXPECT_EQ(errors.size(), 2u);
  EXPECT_EQ(SendMessageA(window->Handle(), kProbe, 0, 0), 7);
}

TEST_F(ApplicationTest, MinimiseHidesTheOwnedMainFormAndRestoreBringsItBack) {
  auto* form = app->CreateForm<TForm>();
  ASSERT_EQ(app->MainForm(), form);
  form->Show();
  ASSERT_TRUE(IsWindowVisible(app->Handle()));  // the taskbar button shows with the main form
  EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), app->Handle());
  RECT before{};
  GetWindowRect(form->Handle(), &before);

  app->Minimize();
  EXPECT_TRUE(app->IsMinimized());
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(form->Visible());  // hidden by its owner, not by request

  app->Restore();
  EXPECT_FALSE(app->IsMinimized());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  RECT after{};
  GetWindowRect(form->Handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

// What a notification-area icon does: on minimise it hides the main form and the
// taskbar button; on restore a hook shows the main form before the application window
// is restored.
TEST_F(ApplicationTest, RestoreAfterHidingInTheNotificationAreaBringsBothBack) {
  auto* form = app->CreateForm<TForm>();
  form->Show();
  RECT before{};
  GetWindowRect(form->Handle(), &before);
  struct TShowOnRestore {
    static bool Callback(void*, TMessage& message) {
      if (message.Msg == WM_SYSCOMMAND && message.WParam == SC_RESTORE) {
        Application->MainForm()->SetVisible(true);
      }
      return false;
    }
  };
  app->HookMainWindow({nullptr, &TShowOnRestore::Callback});

  app->Minimize();
  form->SetVisible(false);
  ShowWindow(app->Handle(), SW_HIDE);
  ASSERT_FALSE(IsWindowVisible(app->Handle()));
  ASSERT_FALSE(IsWindowVisible(form->Handle()));

  app->Restore();
  EXPECT_TRUE(IsWindowVisible(app->Handle()));
  EXPECT_FALSE(app->IsMinimized());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(IsIconic(form->Handle()));
  RECT after{};
  GetWindowRect(form->Handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  app->UnhookMainWindow({nullptr, &TShowOnRestore::Callback});
}

TEST_F(ApplicationTest, TheMainFormsOwnMinimiseAndRestoreActOnTheApplication) {
  auto* form = app->CreateForm<TForm>();
  form->Show();
  SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(app->IsMinimized());
  EXPECT_FALSE(IsWindowVisible(form->Handle()));

  SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(app->IsMinimized());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(ApplicationTest, RestoreOfAnApplicationThatIsNotMinimisedDoesNothing) {
  std::vector<UINT> commands;
  struct TCommandLog {
    static bool Callback(void* object, TMessage& message) {
      if (message.Msg == WM_SYSCOMMAND) {
        static_cast<std::vector<UINT>*>(object)->push_back(static_cast<UINT>(message.WParam));
      }
      return false;
    }
  };
  app->CreateForm<TForm>()->Show();
  app->HookMainWindow({&commands, &TCommandLog::Callback});
  app->Restore();
  EXPECT_TRUE(commands.empty());
  app->Minimize();
  app->Minimize();
  app->Restore();
  EXPECT_EQ(commands, (std::vector<UINT>{SC_MINIMIZE, SC_RESTORE}));
  app->UnhookMainWindow({&commands, &TCommandLog::Callback});
}

TEST_F(ApplicationTest, ProcessMessagesHandlesWhatIsWaitingAndTerminateEndsTheLoop) {
  int handled = 0;
  std::unique_ptr<TUtilityWindow> window;
  window = std::make_unique<TUtilityWindow>([&](UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
      if (++handled == 2) Application->Terminate();
      return LRESULT{0};
    }
    return window->DefaultHandling(message, wParam, lParam);
  });
  PostMessageA(window->Handle(), kProbe, 0, 0);
  PostMessageA(window->Handle(), kProbe, 0, 0);
  app->ProcessMessages();
  EXPECT_EQ(handled, 2);
  EXPECT_TRUE(app->Terminated());
  app->Run();  // returns at once: the application has been terminated
}

}  // namespace
