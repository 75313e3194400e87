#include "TrayPointerLogic.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

namespace N = TrayNotification;

// Drives the logic the way the component does, with a simulated double-click timer, and
// writes down the events that reach the outside.
class TrayScript {
 public:
  TTrayCallbackInput Input;
  bool LeftPopup = false;

  // Tokens: a notification name, "tick" (the double-click timer fires, when it runs),
  // "poll@X,Y" (hover poll with the cursor there) and "at@X,Y" (cursor for what follows).
  std::string Run(const std::string& script) {
    std::istringstream tokens(script);
    std::string token;
    while (tokens >> token) RunToken(token);
    return Events.str();
  }

 private:
  void RunToken(const std::string& token) {
    if (token == "tick") {
      if (!Input.DoubleClickTimerEnabled) return;
      Input.DoubleClickTimerEnabled = false;
      if (Logic.DoubleClickTick()) Write("Click");
      Logic.DoubleClickTickDone();
      return;
    }
    if (token.rfind("poll@", 0) == 0) {
      if (Logic.HoverPoll(Point(token.substr(5)))) Write("Exit");
      return;
    }
    if (token.rfind("at@", 0) == 0) {
      Input.Cursor = Point(token.substr(3));
      return;
    }
    for (const TTrayStep& step : Logic.Decode(Notification(token), Input)) Execute(step);
  }

  void Execute(const TTrayStep& step) {
    static constexpr const char* ButtonNames[] = {"L", "R", "M"};
    switch (step.Action) {
      case TTrayAction::MouseEnter:
        return Write("Enter");
      case TTrayAction::MouseMove:
        return Write("Move");
      case TTrayAction::RestartDoubleClickTimer:
        Input.DoubleClickTimerEnabled = true;
        return;
      case TTrayAction::MouseDown:
        return Write(std::string("Down") + ButtonNames[step.Button]);
      case TTrayAction::MouseUp:
        return Write(std::string("Up") + ButtonNames[step.Button]);
      case TTrayAction::Click:
        return Write("Click");
      case TTrayAction::DblClick:
        return Write("DblClick");
      case TTrayAction::DefaultMenuItem:
        return Write("Default");
      case TTrayAction::ShowTrayMenu:
        return Write("Menu");
      case TTrayAction::LeftPopupMenu:
        if (LeftPopup) Write("Menu");
        return;
      case TTrayAction::CursorInside:
      case TTrayAction::StoreCursorPos:
      case TTrayAction::LeftDownSeen:
        return Logic.Apply(step);
      case TTrayAction::BalloonShow:
        return Write("BalloonShow");
      case TTrayAction::BalloonHide:
        return Write("BalloonHide");
      case TTrayAction::BalloonTimeout:
        return Write("BalloonTimeout");
      case TTrayAction::BalloonClick:
        return Write("BalloonClick");
    }
  }

  static unsigned Notification(const std::string& name) {
    static const std::pair<const char*, unsigned> Names[] = {
        {"move", N::MouseMove},          {"ldown", N::LeftDown},          {"lup", N::LeftUp},
        {"ldbl", N::LeftDoubleClick},    {"rdown", N::RightDown},         {"rup", N::RightUp},
        {"rdbl", N::RightDoubleClick},   {"mdown", N::MiddleDown},        {"mup", N::MiddleUp},
        {"mdbl", N::MiddleDoubleClick},  {"context", N::ContextMenu},     {"select", N::Select},
        {"keyselect", N::KeySelect},     {"bshow", N::BalloonShow},       {"bhide", N::BalloonHide},
        {"btimeout", N::BalloonTimeout}, {"bclick", N::BalloonUserClick}, {"other", 0x0100}};
    for (const auto& [text, code] : Names)
      if (name == text) return code;
    ADD_FAILURE() << "unknown token " << name;
    return 0;
  }

  static TScreenPoint Point(const std::string& text) {
    const auto comma = text.find(',');
    return {std::stoi(text.substr(0, comma)), std::stoi(text.substr(comma + 1))};
  }

  void Write(const std::string& event) {
    if (Events.tellp() > 0) Events << ' ';
    Events << event;
  }

  TTrayPointerLogic Logic;
  std::ostringstream Events;
};

struct OrderCase {
  const char* name;
  bool enabled;
  TTrayNotifyMode mode;
  bool dblClickAssigned;
  bool leftPopup;
  bool wantEnterExit;
  const char* script;
  const char* events;
};

std::ostream& operator<<(std::ostream& out, const OrderCase& c) {
  return out << c.name;
}

class EventOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(EventOrder, FollowsTheDecodingAndClickTiming) {
  const OrderCase& c = GetParam();
  TrayScript tray;
  tray.Input.Enabled = c.enabled;
  tray.Input.NotifyMode = c.mode;
  tray.Input.DblClickAssigned = c.dblClickAssigned;
  tray.LeftPopup = c.leftPopup;
  tray.Input.WantEnterExitEvents = c.wantEnterExit;
  EXPECT_EQ(tray.Run(c.script), c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EventOrder,
    testing::Values(
        // Without a double-click handler the click comes at the release, before the up.
        OrderCase{"SingleClickAtOnce", true, nmClassic, false, false, false, "ldown lup tick",
                  "DownL Click UpL"},
        OrderCase{"DoubleClickWithoutHandlerGivesOneClick", true, nmClassic, false, false, false,
                  "ldown lup ldbl lup tick", "DownL Click UpL DblClick Default UpL"},
        // With one, the click waits for the timer, and a double click swallows it.
        OrderCase{"SingleClickHeldBack", true, nmClassic, true, false, false, "ldown lup tick",
                  "DownL UpL Click"},
        OrderCase{"DoubleClickSwallowsTheClick", true, nmClassic, true, false, false,
                  "ldown lup ldbl lup tick", "DownL UpL DblClick Default UpL"},
        OrderCase{"SecondClickAfterTheTickIsItsOwn", true, nmClassic, true, false, false,
                  "ldown lup ldbl lup tick ldown lup tick",
                  "DownL UpL DblClick Default UpL DownL UpL Click"},
        OrderCase{"PressHeldPastTheDoubleClickTime", true, nmClassic, true, false, false,
                  "ldown tick lup", "DownL Click UpL"},
        OrderCase{"ReleaseWithoutPressIsNoClick", true, nmClassic, false, false, false, "lup tick",
                  "UpL"},
        OrderCase{"LeftPopupOpensTheMenuAfterTheDown", true, nmClassic, false, true, false,
                  "ldown lup", "DownL Menu Click UpL"},
        OrderCase{"RightPressOpensTheMenu", true, nmClassic, false, false, false, "rdown rup",
                  "DownR Menu UpR"},
        OrderCase{"ClassicIgnoresShell5Releases", true, nmClassic, false, false, false,
                  "context select keyselect", ""},
        OrderCase{"Shell5ReleasesComeFromContextMenuAndSelect", true, nmShell5, false, false, false,
                  "rdown rup context select keyselect", "DownR Menu UpR UpR UpR"},
        OrderCase{"MiddleButton", true, nmClassic, false, false, false, "mdown mup", "DownM UpM"},
        OrderCase{"OtherDoubleClicksIgnored", true, nmClassic, false, false, false,
                  "rdbl mdbl other", ""},
        OrderCase{"DisabledOnlyForwardsBalloons", false, nmClassic, true, true, true,
                  "move ldown lup ldbl rdown rup mdown mup tick bshow bhide btimeout bclick",
                  "BalloonShow BalloonHide BalloonTimeout BalloonClick"},
        OrderCase{"DisabledShell5", false, nmShell5, false, false, false,
                  "context select keyselect", ""},
        OrderCase{"BalloonsWhenEnabled", true, nmShell5, false, false, false, "bclick bshow",
                  "BalloonClick BalloonShow"},
        // Enter and exit alternate, starting with an enter.
        OrderCase{"EnterBeforeTheFirstMove", true, nmClassic, false, false, true,
                  "at@5,5 move move poll@5,5 poll@6,5 poll@7,7 at@8,8 move",
                  "Enter Move Move Exit Enter Move"},
        OrderCase{"EnterExitNeedWanting", true, nmClassic, false, false, false,
                  "at@5,5 move poll@6,6 move", "Move Move"},
        OrderCase{"ExitOnVerticalMoveOnly", true, nmClassic, false, false, true,
                  "at@5,5 move poll@5,6 poll@5,7", "Enter Move Exit"},
        OrderCase{"PollBeforeAnyMoveIsQuiet", true, nmClassic, false, false, true,
                  "poll@1,1 poll@0,0", ""}),
    [](const testing::TestParamInfo<OrderCase>& param) { return std::string(param.param.name); });

TEST(TrayPointerLogic, ButtonEventsCarryKeysButtonFlagAndCursor) {
  TTrayPointerLogic logic;
  TTrayCallbackInput input;
  input.Keys = ssShift | ssCtrl;
  input.Cursor = {-40, 1200};
  const std::vector<TTrayStep> down = logic.Decode(N::RightDown, input);
  ASSERT_EQ(down.size(), 2u);
  EXPECT_EQ(down[0],
            (TTrayStep{TTrayAction::MouseDown, mbRight, ssShift | ssCtrl | ssRight, {-40, 1200}}));
  const std::vector<TTrayStep> up = logic.Decode(N::MiddleUp, input);
  EXPECT_EQ(up, (std::vector<TTrayStep>{
                    {TTrayAction::MouseUp, mbMiddle, ssShift | ssCtrl | ssMiddle, {-40, 1200}}}));
  const std::vector<TTrayStep> move = logic.Decode(N::MouseMove, input);
  ASSERT_EQ(move.size(), 2u);
  EXPECT_EQ(move[0], (TTrayStep{TTrayAction::MouseMove, mbLeft, ssShift | ssCtrl, {-40, 1200}}));
  EXPECT_EQ(logic.LastCursorPos(), (TScreenPoint{0, 0})) << "stored after the move event";
  logic.Apply(move[1]);
  EXPECT_EQ(logic.LastCursorPos(), (TScreenPoint{-40, 1200}));
}

TEST(TrayPointerLogic, DoubleClickSeenIsClearedOnlyByTheTick) {
  TTrayPointerLogic logic;
  TTrayCallbackInput input;
  input.DblClickAssigned = true;
  input.DoubleClickTimerEnabled = true;
  logic.Decode(N::LeftDoubleClick, input);
  for (const TTrayStep& step : logic.Decode(N::LeftDown, input)) logic.Apply(step);
  logic.Decode(N::LeftUp, input);
  EXPECT_TRUE(logic.DoubleClickSeen());
  EXPECT_TRUE(logic.ClickDue());
  EXPECT_FALSE(logic.LeftDownSeen());
  EXPECT_FALSE(logic.DoubleClickTick()) << "a double click since the last tick swallows it";
  EXPECT_TRUE(logic.DoubleClickSeen()) << "until the tick is done";
  logic.DoubleClickTickDone();
  EXPECT_FALSE(logic.DoubleClickSeen());
  EXPECT_TRUE(logic.ClickDue()) << "the swallowed click stays due until a later tick";
  EXPECT_TRUE(logic.DoubleClickTick());
  EXPECT_FALSE(logic.ClickDue());
}

}  // namespace
