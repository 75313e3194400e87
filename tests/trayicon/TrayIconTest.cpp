// The tray icon component under Wine: real windows, timers and callback messages.
#include "TrayIcon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Application.h"
#include "ShellRecorder.h"
#include "TimerMessageCount.h"
#include "TestPump.h"
#include "TrayIconHandler.h"

namespace {

// A short double-click time keeps the click tests quick; the old one comes back after.
class TDoubleClickTime {
 public:
  explicit TDoubleClickTime(UINT ms) : saved_(GetDoubleClickTime()) { SetDoubleClickTime(ms); }
  ~TDoubleClickTime() { SetDoubleClickTime(saved_); }
  TDoubleClickTime(const TDoubleClickTime&) = delete;
  TDoubleClickTime& operator=(const TDoubleClickTime&) = delete;

 private:
  UINT saved_;
};

// Long enough that a loaded machine, which may hold the test up for a moment between a
// press and its release, still delivers a double click within it.
constexpr UINT DoubleClickMs = 500;

void SendCallback(const TTrayIcon& tray, UINT notification) {
  PostMessageA(SharedTrayHandler.Get()->Window(), WM_TRAYICONCALLBACK, tray.ShellId(),
               notification);
  PumpMessages(5);
}

// An icon from the system, owned by the caller.
HICON SystemIcon(const char* name) {
  return CopyIcon(LoadIconA(nullptr, name));
}

std::string ButtonName(TMouseButton button) {
  return button == mbLeft ? "L" : button == mbRight ? "R" : "M";
}

// Every event of a tray icon written down in order.
class TEventLog {
 public:
  void Attach(TTrayIcon& tray, bool withDblClick) {
    tray.OnClick = [this](TObject*) { Write("Click"); };
    if (withDblClick) tray.OnDblClick = [this](TObject*) { Write("DblClick"); };
    tray.OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) {
      Write("Down", ButtonName(b));
    };
    tray.OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) {
      Write("Up", ButtonName(b));
    };
    tray.OnMouseMove = [this](TObject*, TShiftState, int, int) { Write("Move"); };
    tray.OnMouseEnter = [this](TObject*) { Write("Enter"); };
    tray.OnMouseExit = [this](TObject*) { Write("Exit"); };
    tray.OnBalloonHintShow = [this](TObject*) { Write("BalloonShow"); };
    tray.OnBalloonHintHide = [this](TObject*) { Write("BalloonHide"); };
    tray.OnBalloonHintTimeout = [this](TObject*) { Write("BalloonTimeout"); };
    tray.OnBalloonHintClick = [this](TObject*) { Write("BalloonClick"); };
  }

  void Write(const std::string& event, const std::string& detail = {}) {
    if (!text_.empty()) text_ += ' ';
    text_ += event;
    text_ += detail;
    if (AfterWrite) AfterWrite(event + detail);
  }
  // Runs after each event is written, inside the component's handler.
  std::function<void(const std::string& event)> AfterWrite;
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

enum class Menu { None, NoAutoPopup, Plain, WithDefault };

struct OrderCase {
  const char* name;
  bool enabled;
  TTrayNotifyMode mode;
  bool dblClickAssigned;
  Menu menu;
  bool leftPopup;
  const char* script;
  const char* events;
};

std::ostream& operator<<(std::ostream& out, const OrderCase& c) {
  return out << c.name;
}

class TrayEventOrder : public testing::TestWithParam<OrderCase> {
 protected:
  TDoubleClickTime doubleClickTime{DoubleClickMs};
  TShellRecorder shell;
};

// Tokens: a notification name; "wait" (twice the double-click time); "leftpopup" (sets
// LeftPopup); "away" (moves the cursor by a few pixels).
void RunScript(TTrayIcon& tray, const std::string& script) {
  static const std::pair<const char*, UINT> Names[] = {
      {"move", WM_MOUSEMOVE},          {"ldown", WM_LBUTTONDOWN},  {"lup", WM_LBUTTONUP},
      {"ldbl", WM_LBUTTONDBLCLK},      {"rdown", WM_RBUTTONDOWN},  {"rup", WM_RBUTTONUP},
      {"rdbl", WM_RBUTTONDBLCLK},      {"mdown", WM_MBUTTONDOWN},  {"mup", WM_MBUTTONUP},
      {"context", WM_CONTEXTMENU},     {"select", NIN_SELECT},     {"keyselect", NIN_KEYSELECT},
      {"bshow", NIN_BALLOONSHOW},      {"bhide", NIN_BALLOONHIDE}, {"btimeout", NIN_BALLOONTIMEOUT},
      {"bclick", NIN_BALLOONUSERCLICK}};
  std::istringstream tokens(script);
  std::string token;
  while (tokens >> token) {
    if (token == "wait") {
      PumpMessages(DoubleClickMs * 2);
      continue;
    }
    if (token == "leftpopup") {
      tray.SetLeftPopup(true);
      continue;
    }
    if (token == "away") {
      POINT cursor{};
      GetCursorPos(&cursor);
      SetCursorPos(cursor.x + 7, cursor.y);
      continue;
    }
    bool known = false;
    for (const auto& [name, code] : Names) {
      if (token != name) continue;
      SendCallback(tray, code);
      known = true;
    }
    ASSERT_TRUE(known) << token;
  }
}

TEST_P(TrayEventOrder, CallbacksGiveEventsInOrder) {
  const OrderCase& c = GetParam();
  TEventLog log;
  TTrayIcon tray(nullptr);
  log.Attach(tray, c.dblClickAssigned);
  tray.SetEnabled(c.enabled);
  tray.SetNotifyMode(c.mode);
  tray.SetLeftPopup(c.leftPopup);
  TPopupMenu menu(nullptr);
  menu.Add("First", -1, [&](TObject*) { log.Write("First"); });
  menu.Add("Second", -1, [&](TObject*) { log.Write("Default"); });
  menu.Add("Third", -1, [&](TObject*) { log.Write("Third"); });
  menu.Items(2).Default = true;
  if (c.menu == Menu::WithDefault) menu.Items(1).Default = true;
  menu.AutoPopup = c.menu != Menu::NoAutoPopup;
  menu.OnPopup = [&](TObject*) { log.Write("Menu"); };
  menu.TrackFunction = [](HMENU, int, int, HWND) -> UINT { return 0; };
  if (c.menu != Menu::None) tray.SetPopupMenu(&menu);

  RunScript(tray, c.script);
  EXPECT_EQ(log.Text(), c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TrayEventOrder,
    testing::Values(
        OrderCase{"SingleClickAtOnce", true, nmClassic, false, Menu::None, false, "ldown lup wait",
                  "DownL Click UpL"},
        OrderCase{"DoubleClickWithoutHandler", true, nmClassic, false, Menu::None, false,
                  "ldown lup ldbl lup wait", "DownL Click UpL UpL"},
        OrderCase{"SingleClickWaitsForTheDoubleClickTime", true, nmClassic, true, Menu::None, false,
                  "ldown lup wait", "DownL UpL Click"},
        OrderCase{"DoubleClickWithHandler", true, nmClassic, true, Menu::None, false,
                  "ldown lup ldbl lup wait", "DownL UpL DblClick UpL"},
        OrderCase{"PressHeldPastTheDoubleClickTime", true, nmClassic, true, Menu::None, false,
                  "ldown wait lup wait", "DownL Click UpL"},
        OrderCase{"DisabledGivesOnlyBalloons", false, nmClassic, true, Menu::Plain, true,
                  "move ldown lup ldbl lup rdown rup mdown mup wait bshow bhide btimeout bclick",
                  "BalloonShow BalloonHide BalloonTimeout BalloonClick"},
        OrderCase{"ClassicRightRelease", true, nmClassic, false, Menu::None, false,
                  "rup context select keyselect", "UpR"},
        OrderCase{"Shell5RightRelease", true, nmShell5, false, Menu::None, false,
                  "rup context select keyselect", "UpR UpR UpR"},
        OrderCase{"RightPressWithoutMenu", true, nmClassic, false, Menu::None, false, "rdown",
                  "DownR"},
        OrderCase{"RightPressMenuWithoutAutoPopup", true, nmClassic, false, Menu::NoAutoPopup,
                  false, "rdown", "DownR"},
        OrderCase{"RightPressOpensTheMenu", true, nmClassic, false, Menu::Plain, false, "rdown rup",
                  "DownR Menu UpR"},
        OrderCase{"LeftPopup", true, nmClassic, false, Menu::Plain, true, "ldown lup",
                  "DownL Menu Click UpL"},
        OrderCase{"DoubleClickRunsTheTopmostDefaultItem", true, nmClassic, true, Menu::WithDefault,
                  false, "ldown lup ldbl lup wait", "DownL UpL DblClick Default UpL"},
        OrderCase{"NoDefaultItemWithLeftPopup", true, nmClassic, true, Menu::WithDefault, true,
                  "ldbl", "DblClick"},
        OrderCase{"MiddleButtonAndIgnoredDoubleClicks", true, nmClassic, false, Menu::Plain, false,
                  "mdown mup rdbl", "DownM UpM"}),
    [](const testing::TestParamInfo<OrderCase>& param) { return std::string(param.param.name); });

// A handler that lets messages run (a message box, a menu, a nested loop) sees the
// component as it stands at that point of its callback: what the callback changes after
// the event has not happened yet.
struct ReentryCase {
  const char* name;
  bool dblClickAssigned;
  bool wantEnterExit;
  const char* during;  // the event inside whose handler...
  const char* nested;  // ...this script runs, once
  const char* script;
  const char* events;
};

std::ostream& operator<<(std::ostream& out, const ReentryCase& c) {
  return out << c.name;
}

class TrayReentry : public testing::TestWithParam<ReentryCase> {
 protected:
  TDoubleClickTime doubleClickTime{DoubleClickMs};
  TShellRecorder shell;
};

TEST_P(TrayReentry, NestedCallbacksSeeTheStateOfTheirStep) {
  const ReentryCase& c = GetParam();
  ASSERT_TRUE(SetCursorPos(300, 300));
  TEventLog log;
  TTrayIcon tray(nullptr);
  log.Attach(tray, c.dblClickAssigned);
  TPopupMenu menu(nullptr);
  menu.Add("Item");
  menu.OnPopup = [&](TObject*) { log.Write("Menu"); };
  menu.TrackFunction = [](HMENU, int, int, HWND) -> UINT { return 0; };
  tray.SetPopupMenu(&menu);
  tray.SetWantEnterExitEvents(c.wantEnterExit);
  bool nestedRan = false;
  log.AfterWrite = [&](const std::string& event) {
    if (nestedRan || event != c.during) return;
    nestedRan = true;
    RunScript(tray, c.nested);
  };
  RunScript(tray, c.script);
  EXPECT_TRUE(nestedRan);
  EXPECT_EQ(log.Text(), c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TrayReentry,
    testing::Values(
        // The menu of a left press is decided after OnMouseDown.
        ReentryCase{"LeftPopupSetByTheDownHandler", false, false, "DownL", "leftpopup", "ldown",
                    "DownL Menu"},
        // The press counts as seen only once OnMouseDown has returned.
        ReentryCase{"ReleaseInsideTheDownHandler", false, false, "DownL", "lup", "ldown lup",
                    "DownL UpL Click UpL"},
        // The cursor is over the icon once OnMouseEnter has returned, at the place of its move.
        ReentryCase{"CursorLeavesInsideTheEnterHandler", false, true, "Enter", "away wait",
                    "move wait", "Enter Move Exit"},
        // The double-click tick forgets double clicks after the held-back click has run.
        ReentryCase{"DoubleClickInsideTheHeldBackClick", true, false, "Click", "ldbl",
                    "ldown lup wait ldown lup wait", "DownL UpL Click DblClick DownL UpL Click"}),
    [](const testing::TestParamInfo<ReentryCase>& param) { return std::string(param.param.name); });

TEST(TrayIcon, MouseEventsCarryButtonFlagAndCursor) {
  TShellRecorder shell;
  TTrayIcon tray(nullptr);
  std::vector<std::string> seen;
  tray.OnMouseDown = [&](TObject* sender, TMouseButton b, TShiftState shift, int x, int y) {
    EXPECT_EQ(sender, &tray);
    std::ostringstream text;
    text << ButtonName(b) << shift << '@' << x << ',' << y;
    seen.push_back(text.str());
  };
  tray.OnMouseMove = [&](TObject*, TShiftState shift, int x, int y) {
    std::ostringstream text;
    text << "move" << shift << '@' << x << ',' << y;
    seen.push_back(text.str());
  };
  ASSERT_TRUE(SetCursorPos(200, 150));
  SendCallback(tray, WM_RBUTTONDOWN);
  SendCallback(tray, WM_MBUTTONDOWN);
  SendCallback(tray, WM_MOUSEMOVE);
  std::ostringstream right, middle;
  right << 'R' << ssRight << "@200,150";
  middle << 'M' << ssMiddle << "@200,150";
  EXPECT_EQ(seen, (std::vector<std::string>{right.str(), middle.str(), "move0@200,150"}));
}

TEST(TrayIcon, EnterAndExitThroughTheHoverPoll) {
  TShellRecorder shell;
  TEventLog log;
  TTrayIcon tray(nullptr);
  log.Attach(tray, false);
  tray.SetWantEnterExitEvents(true);
  EXPECT_EQ(tray.HoverPollTimer().Interval(), 20u);

  ASSERT_TRUE(SetCursorPos(300, 300));
  SendCallback(tray, WM_MOUSEMOVE);
  SendCallback(tray, WM_MOUSEMOVE);
  PumpMessages(100);
  EXPECT_EQ(log.Text(), "Enter Move Move") << "a still cursor stays over the icon";

  const ULONGLONG movedAt = GetTickCount64();
  ASSERT_TRUE(SetCursorPos(300, 301));
  PumpMessages(20000, [&] { return log.Text().ends_with("Exit"); });
  std::printf("exit noticed %llu ms after the cursor moved\n", GetTickCount64() - movedAt);
  EXPECT_EQ(log.Text(), "Enter Move Move Exit");

  SendCallback(tray, WM_MOUSEMOVE);
  SendCallback(tray, WM_MOUSEMOVE);
  EXPECT_EQ(log.Text(), "Enter Move Move Exit Enter Move Move");

  tray.SetWantEnterExitEvents(false);
  EXPECT_FALSE(tray.HoverPollTimer().Enabled());
  ASSERT_TRUE(SetCursorPos(10, 10));
  PumpMessages(100);
  EXPECT_EQ(log.Text(), "Enter Move Move Exit Enter Move Move") << "no poll, no exit";
}

// A tray program sits idle all day: no timer may wake it while the cursor is elsewhere.
TEST(TrayIcon, HoverPollRunsOnlyWhileTheCursorIsOverTheIcon) {
  TShellRecorder shell;
  TEventLog log;
  TTrayIcon tray(nullptr);
  log.Attach(tray, false);
  ASSERT_TRUE(SetCursorPos(300, 300));
  auto ticksWhilePumping = [](DWORD ms) {
    const unsigned long long before = TimerMessagesHandled();
    PumpMessages(ms);
    return TimerMessagesHandled() - before;
  };

  tray.SetWantEnterExitEvents(true);
  EXPECT_FALSE(tray.HoverPollTimer().Enabled()) << "the cursor has not entered yet";
  EXPECT_EQ(ticksWhilePumping(100), 0u);

  SendCallback(tray, WM_MOUSEMOVE);
  EXPECT_TRUE(tray.HoverPollTimer().Enabled()) << "armed by the move that raised the enter";
  EXPECT_GT(ticksWhilePumping(100), 0u);
  SendCallback(tray, WM_MOUSEMOVE);
  EXPECT_TRUE(tray.HoverPollTimer().Enabled());

  ASSERT_TRUE(SetCursorPos(300, 301));
  PumpMessages(20000, [&] { return log.Text().ends_with("Exit"); });
  EXPECT_EQ(log.Text(), "Enter Move Move Exit");
  EXPECT_FALSE(tray.HoverPollTimer().Enabled()) << "disarmed by the exit";
  EXPECT_EQ(ticksWhilePumping(100), 0u);

  // Switched off and on while the cursor is over the icon: the poll comes back with it.
  SendCallback(tray, WM_MOUSEMOVE);
  tray.SetWantEnterExitEvents(false);
  EXPECT_FALSE(tray.HoverPollTimer().Enabled());
  tray.SetWantEnterExitEvents(true);
  EXPECT_TRUE(tray.HoverPollTimer().Enabled());
}

TEST(TrayIcon, WithoutEnterExitEventsAMoveArmsNoPoll) {
  TShellRecorder shell;
  TEventLog log;
  TTrayIcon tray(nullptr);
  log.Attach(tray, false);
  ASSERT_TRUE(SetCursorPos(300, 300));
  const unsigned long long before = TimerMessagesHandled();
  SendCallback(tray, WM_MOUSEMOVE);
  EXPECT_FALSE(tray.HoverPollTimer().Enabled());
  PumpMessages(100);
  EXPECT_EQ(TimerMessagesHandled(), before);
  EXPECT_EQ(log.Text(), "Move");
}

TEST(TrayIcon, CallbacksReachOnlyTheirComponentThroughOneWindow) {
  TShellRecorder shell;
  auto first = std::make_unique<TTrayIcon>(nullptr);
  auto second = std::make_unique<TTrayIcon>(nullptr);
  const HWND window = SharedTrayHandler.Get()->Window();
  EXPECT_EQ(SharedTrayHandler.Get()->UserCount(), 2u);
  EXPECT_NE(first->ShellId(), second->ShellId());
  EXPECT_EQ(first->NotifyRecord().hWnd, window);
  EXPECT_EQ(second->NotifyRecord().hWnd, window);
  int firstClicks = 0, secondClicks = 0;
  first->OnClick = [&](TObject*) { ++firstClicks; };
  second->OnClick = [&](TObject*) { ++secondClicks; };
  SendCallback(*second, WM_LBUTTONDOWN);
  SendCallback(*second, WM_LBUTTONUP);
  EXPECT_EQ(firstClicks, 0);
  EXPECT_EQ(secondClicks, 1);

  first.reset();
  EXPECT_TRUE(IsWindow(window));
  SendCallback(*second, WM_LBUTTONDOWN);
  SendCallback(*second, WM_LBUTTONUP);
  EXPECT_EQ(secondClicks, 2) << "the other icon keeps working";
  second.reset();
  EXPECT_EQ(SharedTrayHandler.Get(), nullptr);
  EXPECT_FALSE(IsWindow(window));
}

TEST(TrayIcon, SharedWindowNeverClosesItself) {
  TShellRecorder shell;
  TTrayIcon tray(nullptr);
  const HWND window = SharedTrayHandler.Get()->Window();
  EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_EQ(SendMessageA(window, WM_ENDSESSION, 1, 0), 1);
  EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 1);
  PumpMessages(20);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(SendMessageA(window, WM_TRAYICONCALLBACK, tray.ShellId() + 1000, WM_LBUTTONUP), 0)
      << "a callback for no live icon is dropped";
}

TEST(TrayIcon, RecordAsHandedToTheShell) {
  TShellRecorder shell;
  TTrayIcon tray(nullptr);
  EXPECT_TRUE(shell.Calls.empty()) << "construction sends nothing";
  HICON icon = SystemIcon(IDI_APPLICATION);
  tray.Icon().SetHandle(icon);
  ASSERT_EQ(shell.Calls.size(), 1u) << "an icon change updates the tray";
  EXPECT_EQ(shell.Calls[0].Message, static_cast<DWORD>(NIM_MODIFY));
  tray.SetIconVisible(true);
  ASSERT_EQ(shell.Calls.size(), 2u);
  const TShellRecorder::TCall& add = shell.Calls[1];
  EXPECT_EQ(add.Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(add.Record.cbSize, sizeof(void*) == 8 ? 504u : 488u);
  EXPECT_EQ(add.Record.hWnd, SharedTrayHandler.Get()->Window());
  EXPECT_EQ(add.Record.uID, tray.ShellId());
  EXPECT_EQ(add.Record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(add.Record.uCallbackMessage, 0x800u);
  EXPECT_EQ(add.Record.hIcon, icon);
  EXPECT_EQ(add.Record.szTip[0], '\0');
  EXPECT_EQ(add.Record.uVersion, 0u);
  EXPECT_EQ(add.Record.dwInfoFlags, 0u);
  EXPECT_EQ(add.Record.szInfo[0], '\0');

  tray.SetNotifyMode(nmShell5);
  EXPECT_EQ(shell.Calls.back().Message, static_cast<DWORD>(NIM_SETVERSION));
  EXPECT_EQ(shell.Calls.back().Record.uVersion, static_cast<UINT>(NOTIFYICON_VERSION));
  tray.SetNotifyMode(nmClassic);
  EXPECT_EQ(shell.Calls.back().Record.uVersion, 0u);

  tray.SetIconVisible(false);
  EXPECT_EQ(shell.Calls.back().Message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_FALSE(tray.IconVisible());
}

TEST(TrayIcon, SettingTheIconUpdatesTheShellOnce) {
  TShellRecorder shell;
  TTrayIcon tray(nullptr);
  TIcon picture;
  picture.SetHandle(SystemIcon(IDI_WARNING));
  tray.SetIcon(picture);
  ASSERT_EQ(shell.Calls.size(), 1u);
  EXPECT_FALSE(tray.Icon().Empty());
  EXPECT_NE(tray.Icon().Handle(), picture.Handle()) << "the component keeps its own copy";
  EXPECT_EQ(shell.Calls[0].Record.hIcon, tray.Icon().Handle());
}

TEST(TrayIcon, HintIsCutTo127Characters) {
  TShellRecorder shell;
  TTrayIcon tray(nullptr);
  std::string hint(200, 'a');
  for (size_t i = 0; i < hint.size(); ++i) hint[i] = static_cast<char>('a' + i % 26);
  tray.SetHint(hint);
  ASSERT_FALSE(shell.Calls.empty());
  const NOTIFYICONDATAA& record = shell.Calls.back().Record;
  EXPECT_EQ(std::string(record.szTip), hint.substr(0, 127));
  EXPECT_EQ(tray.Hint(), hint);

  tray.SetShowHint(false);
  const NOTIFYICONDATAA& hidden = shell.Calls.back().Record;
  EXPECT_TRUE(
      std::all_of(std::begin(hidden.szTip), std::end(hidden.szTip), [](char c) { return c == 0; }));
  EXPECT_EQ(tray.Hint(), hint) << "the hint is kept";
}

TEST(TrayIcon, BalloonGoesOutOnceWithItsTextsCutToTheirBuffers) {
  TShellRecorder shell;
  TTrayIcon tray(nullptr);
  tray.SetHint("Ardenix");
  tray.SetIconVisible(true);
  const std::string title(80, 'T');
  const std::string text(300, 'x');
  EXPECT_TRUE(tray.ShowBalloon(title, text, bfWarning, 5000));
  const TShellRecorder::TCall balloon = shell.Calls.back();
  EXPECT_EQ(balloon.Message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(balloon.Record.cbSize, sizeof(void*) == 8 ? 504u : 488u);
  EXPECT_EQ(balloon.Record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));
  EXPECT_EQ(std::string(balloon.Record.szInfoTitle), title.substr(0, 63));
  EXPECT_EQ(std::string(balloon.Record.szInfo), text.substr(0, 255));
  EXPECT_EQ(balloon.Record.dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
  EXPECT_EQ(balloon.Record.uTimeout, 5000u);
  EXPECT_EQ(std::string(balloon.Record.szTip), "Ardenix");

  tray.SetHint("Ardenix: Office on Ethernet");
  const NOTIFYICONDATAA& update = shell.Calls.back().Record;
  EXPECT_EQ(update.uFlags & NIF_INFO, 0u) << "a later update must not show the balloon again";
  EXPECT_EQ(update.szInfo[0], '\0');
  EXPECT_EQ(update.szInfoTitle[0], '\0');
}

TEST(TrayIcon, BalloonPictureFollowsItsFlag) {
  TShellRecorder shell;
  TTrayIcon tray(nullptr);
  const std::pair<TBalloonFlags, DWORD> cases[] = {
      {bfNone, NIIF_NONE}, {bfInfo, NIIF_INFO}, {bfWarning, NIIF_WARNING}, {bfError, NIIF_ERROR}};
  for (const auto& [flags, shellFlags] : cases) {
    tray.ShowBalloon("Office", "text", flags);
    EXPECT_EQ(shell.Calls.back().Record.dwInfoFlags, shellFlags) << int(flags);
  }
}

TEST(TrayIcon, ABalloonForAnIconThatIsNotThereIsRefused) {
  TTrayIcon tray(nullptr);  // the real shell: the icon was never added
  EXPECT_FALSE(tray.ShowBalloon("Office", "text"));
}

class TrayImages : public testing::Test {
 protected:
  TShellRecorder shell;
  TImageList images{nullptr};
  void AddImages(int count) {
    const char* names[] = {IDI_APPLICATION, IDI_WARNING, IDI_ERROR, IDI_INFORMATION};
    for (int i = 0; i < count; ++i) images.AddIcon(LoadIconA(nullptr, names[i]));
  }
};

TEST_F(TrayImages, IconIndexStaysInsideTheList) {
  AddImages(3);
  TTrayIcon tray(nullptr);
  tray.SetIconIndex(10);
  EXPECT_EQ(tray.IconIndex(), 0) << "without a list";
  tray.SetIconList(&images);
  tray.SetIconIndex(10);
  EXPECT_EQ(tray.IconIndex(), 2);
  EXPECT_FALSE(tray.Icon().Empty());
  EXPECT_EQ(shell.Calls.back().Record.hIcon, tray.Icon().Handle());
  tray.SetIconIndex(-3);
  EXPECT_EQ(tray.IconIndex(), -3) << "negative values are not corrected";
  EXPECT_TRUE(tray.Icon().Empty());

  images.Clear();
  tray.SetIconIndex(10);
  EXPECT_EQ(tray.IconIndex(), -1) << "an empty list";
  EXPECT_TRUE(tray.Icon().Empty());
  EXPECT_EQ(shell.Calls.back().Record.hIcon, nullptr);
}

TEST_F(TrayImages, AnimationRunsThroughTheImages) {
  AddImages(3);
  TTrayIcon tray(nullptr);
  tray.SetIconList(&images);
  // shown: the icon's image each time the pump comes back; lastReported: the newest
  // image announced by then. On a loaded machine several ticks may come in one pump, so
  // the two are compared, not a fixed sequence of what was shown.
  std::vector<int> reported, shown, lastReported;
  tray.OnCycle = [&](TObject* sender, int next) {
    EXPECT_EQ(sender, &tray);
    reported.push_back(next);
  };
  tray.SetCycleInterval(30);
  tray.SetCycleIcons(true);
  EXPECT_EQ(tray.AnimationTimer().Interval(), 30u);
  EXPECT_TRUE(tray.AnimationTimer().Enabled());
  for (int tick = 0; tick < 4; ++tick) {
    const size_t before = reported.size();
    PumpMessages(20000, [&] { return reported.size() > before; });
    shown.push_back(tray.IconIndex());
    lastReported.push_back(reported.empty() ? -1 : reported.back());
  }
  tray.SetCycleIcons(false);
  EXPECT_EQ(std::vector<int>(reported.begin(), reported.begin() + 4),
            (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(shown, lastReported) << "the icon shows the image announced last";
  EXPECT_FALSE(tray.AnimationTimer().Enabled());
}

TEST_F(TrayImages, CycleInterval0NeverTicks) {
  AddImages(3);
  TTrayIcon tray(nullptr);
  tray.SetIconList(&images);
  int cycles = 0;
  tray.OnCycle = [&](TObject*, int) { ++cycles; };
  tray.SetCycleIcons(true);
  PumpMessages(300);
  EXPECT_EQ(cycles, 0);
  EXPECT_TRUE(tray.CycleIcons());
  EXPECT_FALSE(tray.AnimationTimer().Enabled());
}

TEST(TrayIcon, RemovedListAndMenuAreForgotten) {
  TShellRecorder shell;
  TTrayIcon tray(nullptr);
  auto images = std::make_unique<TImageList>(nullptr);
  images->AddIcon(LoadIconA(nullptr, IDI_APPLICATION));
  images->AddIcon(LoadIconA(nullptr, IDI_WARNING));
  auto menu = std::make_unique<TPopupMenu>(nullptr);
  menu->TrackFunction = [](HMENU, int, int, HWND) -> UINT { return 0; };
  tray.SetIconList(images.get());
  tray.SetIconIndex(1);
  tray.SetPopupMenu(menu.get());
  tray.SetCycleInterval(20);
  tray.SetCycleIcons(true);

  images.reset();
  menu.reset();
  EXPECT_EQ(tray.IconList(), nullptr);
  EXPECT_EQ(tray.IconIndex(), 0);
  EXPECT_EQ(tray.PopupMenu(), nullptr);
  int downs = 0;
  tray.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  SendCallback(tray, WM_RBUTTONDOWN);
  PumpMessages(100);  // animation ticks find no list
  EXPECT_EQ(downs, 1);
}

TEST(TrayIcon, ComponentMayBeDestroyedByItsOwnEvent) {
  TShellRecorder shell;
  auto* tray = new TTrayIcon(nullptr);
  int ups = 0;
  tray->OnMouseDown = [&](TObject* sender, TMouseButton, TShiftState, int, int) {
    delete static_cast<TTrayIcon*>(sender);
  };
  tray->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
  tray->SetLeftPopup(true);
  SendCallback(*tray, WM_LBUTTONDOWN);
  EXPECT_EQ(ups, 0);
  EXPECT_EQ(SharedTrayHandler.Get(), nullptr);
  TTrayIcon next(nullptr);
  EXPECT_NE(SharedTrayHandler.Get(), nullptr);
}

TEST(TrayIcon, TrayMenuOpensAtTheCursorForItsComponent) {
  TShellRecorder shell;
  TApplication application;
  TTrayIcon tray(nullptr);
  TPopupMenu menu(nullptr);
  int chosen = 0;
  menu.Add("One", -1, [&](TObject*) { chosen = 1; });
  menu.Add("Two", -1, [&](TObject*) { chosen = 2; });
  POINT at{};
  HWND owner = nullptr;
  menu.TrackFunction = [&](HMENU handle, int x, int y, HWND window) -> UINT {
    at = {x, y};
    owner = window;
    EXPECT_EQ(GetMenuItemCount(handle), 2);
    return 2;
  };
  tray.SetPopupMenu(&menu);
  ASSERT_TRUE(SetCursorPos(640, 700));
  SendCallback(tray, WM_RBUTTONDOWN);
  EXPECT_EQ(chosen, 2);
  EXPECT_EQ(at.x, 640);
  EXPECT_EQ(at.y, 700);
  EXPECT_EQ(owner, application.Handle());
  EXPECT_EQ(menu.PopupComponent, &tray);
}

// The real shell (Wine's notification area): add, modify, delete.
TEST(TrayIcon, RealNotificationArea) {
  TShellRecorder shell(true);
  TTrayIcon tray(nullptr);
  tray.Icon().SetHandle(SystemIcon(IDI_APPLICATION));
  tray.SetHint("Ardenix");
  EXPECT_TRUE(tray.AddToTray());
  EXPECT_FALSE(tray.AddToTray()) << "already there";
  tray.SetHint("Ardenix again");
  EXPECT_TRUE(tray.UpdateTray());
  EXPECT_TRUE(tray.RemoveFromTray());
  EXPECT_FALSE(tray.RemoveFromTray()) << "already gone";
  EXPECT_FALSE(tray.UpdateTray()) << "not in the notification area";
}

// Wine's own notification area (a standalone tray window without a taskbar) shows each
// icon as a child window: the icon of the newest add is the last one.
HWND WineTrayIconWindow() {
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  HWND icon = nullptr;
  for (HWND child = FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr); child;
       child = FindWindowExA(tray, child, "__winex11_tray_icon", nullptr)) {
    icon = child;
  }
  return icon;
}

bool RunningOnWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// A real click on the icon in Wine's notification area comes back as the shell's callbacks.
TEST(TrayIcon, RealClickInTheNotificationArea) {
  if (!RunningOnWine()) GTEST_SKIP() << "finds the icon in Wine's own tray window";
  TEventLog log;
  TTrayIcon tray(nullptr);
  log.Attach(tray, false);
  tray.Icon().SetHandle(SystemIcon(IDI_WARNING));
  ASSERT_TRUE(tray.AddToTray());
  PumpMessages(100);
  const HWND icon = WineTrayIconWindow();
  ASSERT_NE(icon, nullptr);
  RECT place{};
  GetWindowRect(icon, &place);
  const int x = (place.left + place.right) / 2, y = (place.top + place.bottom) / 2;
  ASSERT_TRUE(SetCursorPos(x, y));
  POINT atDown{};
  tray.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
    log.Write("DownL");
    atDown = {X, Y};
  };
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
  PumpMessages(20000, [&] { return log.Text().ends_with("UpL"); });
  EXPECT_TRUE(log.Text().ends_with("DownL Click UpL")) << log.Text();
  EXPECT_EQ(atDown.x, x);
  EXPECT_EQ(atDown.y, y);
  EXPECT_TRUE(tray.RemoveFromTray());
}

}  // namespace
