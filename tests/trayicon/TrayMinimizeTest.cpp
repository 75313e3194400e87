// Minimise to tray, the start-up decision and the taskbar restart, with the real
// application window and main form under Wine.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Application.h"
#include "Form.h"
#include "ShellRecorder.h"
#include "SimpleTimer.h"
#include "TestPump.h"
#include "TrayIcon.h"
#include "TrayIconHandler.h"
#include "WinControl.h"

namespace {

// A form that builds its tray icon (and whatever the test adds) while it is being built,
// as the program's main window does.
class TTrayForm : public TForm {
 public:
  using TSetup = std::function<void(TTrayForm&)>;
  TTrayForm(TComponent* Owner, TSetup setup, TFormStyle style = TFormStyle::Normal) : TForm(Owner) {
    SetFormStyle(style);
    SetCaption("Tray test");
    Tray = new TTrayIcon(this);
    if (setup) setup(*this);
  }
  TTrayIcon* Tray = nullptr;
};

class TrayApplication : public testing::Test {
 protected:
  void SetUp() override {
    application = std::make_unique<TApplication>();
    application->Initialize(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    application->SetTitle("Ardenix");
  }

  TTrayForm* MakeMainForm(TTrayForm::TSetup setup, TFormStyle style = TFormStyle::Normal) {
    TTrayForm* form = application->CreateForm<TTrayForm>(std::move(setup), style);
    EXPECT_EQ(application->MainForm(), form);
    return form;
  }

  // The application's message loop for a while, from its start (the main form shown as
  // the start-up says) to a Terminate.
  void RunFor(UINT milliseconds) {
    TSimpleTimer stop(milliseconds, [this](TObject*) { application->Terminate(); });
    stop.SetOneShot(true);
    stop.SetEnabled(true);
    application->Run();
  }

  HWND AppWindow() const { return application->Handle(); }

  bool AddedSince(size_t call, UINT shellId) const {
    for (size_t i = call; i < shell.Calls.size(); ++i)
      if (shell.Calls[i].Message == NIM_ADD && shell.Calls[i].Record.uID == shellId) return true;
    return false;
  }

  TShellRecorder shell;
  std::unique_ptr<TApplication> application;
};

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(TrayApplication, EndOfBuildingAppliesTheSettingsOnceMore) {
  bool loadingInSetup = false;
  TTrayForm* form = MakeMainForm([&](TTrayForm& f) {
    loadingInSetup = f.Tray->Loading();
    f.Tray->SetIconVisible(true);  // acts at once, also while building
    f.Tray->SetWantEnterExitEvents(true);
  });
  EXPECT_TRUE(loadingInSetup);
  EXPECT_FALSE(form->Tray->Loading());
  EXPECT_EQ(shell.MessagesFor(form->Tray->ShellId()),
            (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_ADD, NIM_SETVERSION}));
  EXPECT_EQ(shell.Calls.back().Record.uVersion, 0u);
  EXPECT_TRUE(form->Tray->WantEnterExitEvents());
  EXPECT_FALSE(form->Tray->HoverPollTimer().Enabled()) << "nothing polls before an enter";
  EXPECT_FALSE(form->Tray->AnimationTimer().Enabled());
}

TEST_F(TrayApplication, MinimiseHidesInTheTrayAndRestoreBringsBoth) {
  TTrayForm* form = MakeMainForm([](TTrayForm& f) {
    f.Tray->Icon().SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
    f.Tray->SetIconVisible(true);
    f.Tray->SetMinimizeToTray(true);
  });
  SetWindowPos(form->WindowHandle(), nullptr, 120, 90, 440, 411, SWP_NOZORDER);
  form->Show();
  PumpMessages(50);
  ASSERT_TRUE(IsWindowVisible(form->Handle()));
  ASSERT_TRUE(IsWindowVisible(AppWindow()));
  const RECT before = WindowRect(form->Handle());
  const size_t mark = shell.Calls.size();

  // The title bar's minimise button.
  SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  PumpMessages(50);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(IsWindowVisible(AppWindow())) << "no taskbar button";
  EXPECT_TRUE(application->IsMinimized());
  EXPECT_TRUE(form->Tray->IconVisible());
  EXPECT_TRUE(AddedSince(mark, form->Tray->ShellId()));

  application->Restore();
  PumpMessages(50);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(IsWindowVisible(AppWindow()));
  EXPECT_FALSE(application->IsMinimized());
  EXPECT_FALSE(IsIconic(form->Handle()));
  EXPECT_TRUE(SameRect(WindowRect(form->Handle()), before)) << "same size and place";
  EXPECT_TRUE(form->Tray->IconVisible()) << "the icon stays";
}

TEST_F(TrayApplication, WithoutMinimizeToTrayTheApplicationMinimisesToTheTaskbar) {
  TTrayForm* form = MakeMainForm(nullptr);
  form->Show();
  PumpMessages(50);
  const size_t mark = shell.Calls.size();
  SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  PumpMessages(50);
  EXPECT_TRUE(IsWindowVisible(AppWindow())) << "the taskbar button stays";
  EXPECT_TRUE(IsIconic(AppWindow()));
  EXPECT_FALSE(form->Tray->IconVisible());
  EXPECT_FALSE(AddedSince(mark, form->Tray->ShellId()));
  application->Restore();
  PumpMessages(50);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(TrayApplication, MinimizeHandlerTakesTheMinimiseAtTheForm) {
  int handled = 0;
  TTrayForm* form = MakeMainForm([&](TTrayForm& f) {
    f.Tray->SetMinimizeToTray(true);
    f.Tray->OnMinimizeToTray = [&](TObject* sender) {
      EXPECT_EQ(sender, f.Tray);
      ++handled;
    };
  });
  form->Show();
  PumpMessages(50);
  SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  PumpMessages(50);
  EXPECT_EQ(handled, 1);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(IsWindowVisible(AppWindow()));
  EXPECT_FALSE(application->IsMinimized()) << "consumed before the application minimised";
  EXPECT_TRUE(form->Tray->IconVisible());
}

TEST_F(TrayApplication, MinimizeHandlerMayDestroyTheComponent) {
  TTrayForm* form = MakeMainForm([](TTrayForm& f) {
    f.Tray->SetMinimizeToTray(true);
    f.Tray->OnMinimizeToTray = [&f](TObject*) {
      delete f.Tray;
      f.Tray = nullptr;
    };
  });
  form->Show();
  PumpMessages(50);
  const UINT shellId = form->Tray->ShellId();
  SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  PumpMessages(50);
  EXPECT_EQ(form->Tray, nullptr);
  EXPECT_EQ(shell.MessagesFor(shellId),
            (std::vector<DWORD>{NIM_MODIFY, NIM_DELETE, NIM_SETVERSION, NIM_DELETE}))
      << "nothing is sent for the icon once it has gone";
  EXPECT_TRUE(IsWindow(form->Handle()));
}

// The owner's subclass procedure sits between the system and the handler: what the
// handler throws is shown in the error box, and the window and the loop go on.
TEST_F(TrayApplication, AnErrorInTheMinimizeHandlerIsShownAndTheWindowGoesOn) {
  std::vector<std::string> shown;
  application->SetMessageBoxFunction(
      [&](HWND, const std::string& text, const std::string& caption, UINT flags) {
        EXPECT_EQ(caption, "Ardenix");
        EXPECT_EQ(flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
        shown.push_back(text);
        return IDOK;
      });
  bool failing = true;
  TTrayForm* form = MakeMainForm([&](TTrayForm& f) {
    f.Tray->SetMinimizeToTray(true);
    f.Tray->OnMinimizeToTray = [&](TObject*) {
      if (failing) throw 7;
      failing = true;
      throw std::runtime_error("Cannot hide the window");
    };
  });
  form->Show();
  PumpMessages(50);
  SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  failing = false;
  PostMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  application->ProcessMessages();
  EXPECT_EQ(shown, (std::vector<std::string>{"Unexpected error.", "Cannot hide the window."}));
  EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST_F(TrayApplication, StartupAnsweringFalseStartsHidden) {
  int asked = 0;
  TTrayForm* form = MakeMainForm([&](TTrayForm& f) {
    f.Tray->SetIconVisible(true);
    f.Tray->OnStartup = [&](TObject*, bool& show) {
      ++asked;
      show = false;
    };
  });
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(application->ShowMainForm);
  RunFor(150);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(IsWindowVisible(AppWindow()));
  EXPECT_TRUE(form->Tray->IconVisible());
  EXPECT_TRUE(AddedSince(0, form->Tray->ShellId()));
}

TEST_F(TrayApplication, StartupAnsweringTrueShowsTheMainForm) {
  TTrayForm* form =
      MakeMainForm([&](TTrayForm& f) { f.Tray->OnStartup = [&](TObject*, bool&) {}; });
  EXPECT_TRUE(application->ShowMainForm);
  RunFor(150);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(IsWindowVisible(AppWindow()));
}

TEST_F(TrayApplication, MdiMainFormIsAskedAgainWhenTheApplicationWindowMoves) {
  int asked = 0;
  TTrayForm* form = MakeMainForm(
      [&](TTrayForm& f) {
        f.Tray->OnStartup = [&](TObject*, bool& show) {
          ++asked;
          show = false;
        };
      },
      TFormStyle::MDIForm);
  EXPECT_EQ(asked, 1);
  form->Show();  // shows the application window too: its first position change
  PumpMessages(50);
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(IsWindowVisible(AppWindow())) << "no taskbar button";
  ShowWindow(AppWindow(), SW_SHOWNA);
  PumpMessages(50);
  EXPECT_EQ(asked, 2) << "asked once only";
}

TEST_F(TrayApplication, TaskbarRestartReaddsOnlyVisibleIcons) {
  TTrayIcon* hidden = nullptr;
  TTrayForm* form = MakeMainForm([&](TTrayForm& f) {
    f.Tray->SetIconVisible(true);
    hidden = new TTrayIcon(&f);
  });
  const UINT restart = RegisterWindowMessageA("TaskbarCreated");
  EXPECT_EQ(TaskbarRestartMessage(), restart);
  const size_t mark = shell.Calls.size();
  DWORD_PTR result = 0;
  SendMessageTimeoutA(HWND_BROADCAST, restart, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
  PumpMessages(50);
  EXPECT_TRUE(AddedSince(mark, form->Tray->ShellId()));
  EXPECT_FALSE(AddedSince(mark, hidden->ShellId()));
}

TEST_F(TrayApplication, IconOnAnotherFormStillHidesTheMainForm) {
  TTrayForm* main = MakeMainForm(nullptr);
  TTrayForm* other = application->CreateForm<TTrayForm>(nullptr);
  main->Show();
  other->Show();
  PumpMessages(50);
  other->Tray->SendToTray();
  PumpMessages(50);
  EXPECT_FALSE(IsWindowVisible(main->Handle()));
  EXPECT_FALSE(IsWindowVisible(AppWindow()));
  EXPECT_TRUE(other->Tray->IconVisible());
  EXPECT_FALSE(main->Tray->IconVisible());
}

TEST_F(TrayApplication, WithoutAMainFormNothingIsHidden) {
  TTrayForm* form = new TTrayForm(application.get(), nullptr);  // not made the main form
  form->EndBuilding();
  ASSERT_EQ(application->MainForm(), nullptr);
  form->Show();
  ShowWindow(AppWindow(), SW_SHOWNA);
  PumpMessages(20);
  form->Tray->SendToTray();
  SendMessageA(AppWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
  PumpMessages(20);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(IsWindowVisible(AppWindow()));
  EXPECT_TRUE(form->Tray->IconVisible());
}

// A windowed control whose window, while it is being made, moves the application window.
class TAnnouncingControl : public TWinControl {
 public:
  using TWinControl::TWinControl;

 protected:
  void CreateParams(TCreateParams& params) override {
    params.ClassName = "ArdenixAnnouncingControl";
    params.Style = WS_POPUP;
    params.Parent = Application->Handle();
  }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CREATE) MoveApplicationWindow();
    return TWinControl::HandleMessage(message, wParam, lParam);
  }

 public:
  static void MoveApplicationWindow() {
    WINDOWPOS place{Application->Handle(),
                    nullptr,
                    0,
                    0,
                    0,
                    0,
                    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE};
    SendMessageA(Application->Handle(), WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&place));
  }
};

// The application-window hook is in place before the owner's window is made: the MDI
// check is done at the application window's first move, even when that comes while the
// component subclasses its owner.
TEST_F(TrayApplication, HookIsInPlaceBeforeTheOwnersWindowIsMade) {
  MakeMainForm(nullptr, TFormStyle::MDIForm);
  TAnnouncingControl control(nullptr);
  auto* tray = new TTrayIcon(&control);
  int asked = 0;
  tray->OnStartup = [&](TObject*, bool&) { ++asked; };
  TAnnouncingControl::MoveApplicationWindow();
  EXPECT_EQ(asked, 0) << "the check was made while the owner's window was created";
  delete tray;
}

TEST_F(TrayApplication, SubclassingIsUndoneWithTheLastIcon) {
  TForm* form = application->CreateForm<TForm>();
  const HWND window = form->WindowHandle();
  const LONG_PTR original = GetWindowLongPtrA(window, GWLP_WNDPROC);
  auto* first = new TTrayIcon(form);
  const LONG_PTR subclassed = GetWindowLongPtrA(window, GWLP_WNDPROC);
  EXPECT_NE(subclassed, original);
  auto* second = new TTrayIcon(form);
  EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), subclassed);
  delete first;
  EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), subclassed);
  form->Show();  // messages still reach the form through the remaining icon
  PumpMessages(20);
  EXPECT_TRUE(form->Visible());
  delete second;
  EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), original);
}

TEST_F(TrayApplication, ClosingMessagesAreIgnoredDuringShutdown) {
  TTrayForm* form = MakeMainForm([](TTrayForm& f) { f.Tray->SetIconVisible(true); });
  const HWND trayWindow = SharedTrayHandler.Get()->Window();
  EXPECT_EQ(SendMessageA(trayWindow, WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_TRUE(IsWindow(trayWindow));
  const UINT shellId = form->Tray->ShellId();
  application.reset();  // destroys the form and its icon
  EXPECT_EQ(shell.MessagesFor(shellId).back(), static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(SharedTrayHandler.Get(), nullptr);
  EXPECT_FALSE(IsWindow(trayWindow));
}

}  // namespace
