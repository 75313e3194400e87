#include "TrayPointerLogic.h"

namespace {

bool AnyMode(TTrayNotifyMode) {
  return true;
}
bool ClassicMode(TTrayNotifyMode mode) {
  return mode == nmClassic;
}
bool Shell5Mode(TTrayNotifyMode mode) {
  return mode == nmShell5;
}

TTrayStep Plain(TTrayAction action) {
  return {action, mbLeft, 0, {}};
}

TTrayStep ButtonStep(TTrayAction action, TMouseButton button, TShiftFlag flag,
                     const TTrayCallbackInput& in) {
  return {action, button, in.Keys | flag, in.Cursor};
}

}  // namespace

// Balloon notifications pass even when the component is disabled; mouse ones do not.
// Anything missing here (the right and middle double clicks among them) is ignored.
const TTrayPointerLogic::TDecodeEntry TTrayPointerLogic::DecodeTable[] = {
    {TrayNotification::MouseMove, true, AnyMode, &TTrayPointerLogic::MouseMove},
    {TrayNotification::LeftDown, true, AnyMode, &TTrayPointerLogic::LeftDown},
    {TrayNotification::LeftUp, true, AnyMode, &TTrayPointerLogic::LeftUp},
    {TrayNotification::LeftDoubleClick, true, AnyMode, &TTrayPointerLogic::LeftDoubleClick},
    {TrayNotification::RightDown, true, AnyMode, &TTrayPointerLogic::RightDown},
    {TrayNotification::RightUp, true, ClassicMode, &TTrayPointerLogic::RightUp},
    {TrayNotification::ContextMenu, true, Shell5Mode, &TTrayPointerLogic::RightUp},
    {TrayNotification::Select, true, Shell5Mode, &TTrayPointerLogic::RightUp},
    {TrayNotification::KeySelect, true, Shell5Mode, &TTrayPointerLogic::RightUp},
    {TrayNotification::MiddleDown, true, AnyMode, &TTrayPointerLogic::MiddleDown},
    {TrayNotification::MiddleUp, true, AnyMode, &TTrayPointerLogic::MiddleUp},
    {TrayNotification::BalloonShow, false, AnyMode, &TTrayPointerLogic::BalloonShow},
    {TrayNotification::BalloonHide, false, AnyMode, &TTrayPointerLogic::BalloonHide},
    {TrayNotification::BalloonTimeout, false, AnyMode, &TTrayPointerLogic::BalloonTimeout},
    {TrayNotification::BalloonUserClick, false, AnyMode, &TTrayPointerLogic::BalloonClick},
};

std::vector<TTrayStep> TTrayPointerLogic::Decode(unsigned notification,
                                                 const TTrayCallbackInput& input) {
  std::vector<TTrayStep> steps;
  for (const TDecodeEntry& entry : DecodeTable) {
    if (entry.Notification != notification) continue;
    if (entry.NeedsEnabled && !input.Enabled) break;
    if (!entry.Applies(input.NotifyMode)) break;
    (this->*entry.Handler)(input, steps);
    break;
  }
  return steps;
}

void TTrayPointerLogic::Apply(const TTrayStep& step) {
  if (step.Action == TTrayAction::CursorInside) CursorOutside_ = false;
  if (step.Action == TTrayAction::StoreCursorPos) LastCursorPos_ = step.Pos;
  if (step.Action == TTrayAction::LeftDownSeen) LeftDownSeen_ = true;
}

void TTrayPointerLogic::MouseMove(const TTrayCallbackInput& in, std::vector<TTrayStep>& out) {
  if (in.WantEnterExitEvents && CursorOutside_) {
    out.push_back(Plain(TTrayAction::MouseEnter));
    out.push_back(Plain(TTrayAction::CursorInside));
  }
  out.push_back({TTrayAction::MouseMove, mbLeft, in.Keys, in.Cursor});
  out.push_back({TTrayAction::StoreCursorPos, mbLeft, 0, in.Cursor});
}

void TTrayPointerLogic::LeftDown(const TTrayCallbackInput& in, std::vector<TTrayStep>& out) {
  if (in.DblClickAssigned) out.push_back(Plain(TTrayAction::RestartDoubleClickTimer));
  out.push_back(ButtonStep(TTrayAction::MouseDown, mbLeft, ssLeft, in));
  out.push_back(Plain(TTrayAction::LeftDownSeen));
  out.push_back(Plain(TTrayAction::LeftPopupMenu));
}

void TTrayPointerLogic::LeftUp(const TTrayCallbackInput& in, std::vector<TTrayStep>& out) {
  if (LeftDownSeen_) ClickDue_ = true;
  if (LeftDownSeen_ && !in.DoubleClickTimerEnabled) {
    ClickDue_ = false;
    out.push_back(Plain(TTrayAction::Click));
  }
  LeftDownSeen_ = false;
  out.push_back(ButtonStep(TTrayAction::MouseUp, mbLeft, ssLeft, in));
}

void TTrayPointerLogic::LeftDoubleClick(const TTrayCallbackInput&, std::vector<TTrayStep>& out) {
  ClickDue_ = false;
  DoubleClickSeen_ = true;
  out.push_back(Plain(TTrayAction::DblClick));
  out.push_back(Plain(TTrayAction::DefaultMenuItem));
}

void TTrayPointerLogic::RightDown(const TTrayCallbackInput& in, std::vector<TTrayStep>& out) {
  out.push_back(ButtonStep(TTrayAction::MouseDown, mbRight, ssRight, in));
  out.push_back(Plain(TTrayAction::ShowTrayMenu));
}

void TTrayPointerLogic::RightUp(const TTrayCallbackInput& in, std::vector<TTrayStep>& out) {
  out.push_back(ButtonStep(TTrayAction::MouseUp, mbRight, ssRight, in));
}

void TTrayPointerLogic::MiddleDown(const TTrayCallbackInput& in, std::vector<TTrayStep>& out) {
  out.push_back(ButtonStep(TTrayAction::MouseDown, mbMiddle, ssMiddle, in));
}

void TTrayPointerLogic::MiddleUp(const TTrayCallbackInput& in, std::vector<TTrayStep>& out) {
  out.push_back(ButtonStep(TTrayAction::MouseUp, mbMiddle, ssMiddle, in));
}

void TTrayPointerLogic::BalloonShow(const TTrayCallbackInput&, std::vector<TTrayStep>& out) {
  out.push_back(Plain(TTrayAction::BalloonShow));
}

void TTrayPointerLogic::BalloonHide(const TTrayCallbackInput&, std::vector<TTrayStep>& out) {
  out.push_back(Plain(TTrayAction::BalloonHide));
}

void TTrayPointerLogic::BalloonTimeout(const TTrayCallbackInput&, std::vector<TTrayStep>& out) {
  out.push_back(Plain(TTrayAction::BalloonTimeout));
}

void TTrayPointerLogic::BalloonClick(const TTrayCallbackInput&, std::vector<TTrayStep>& out) {
  out.push_back(Plain(TTrayAction::BalloonClick));
}

bool TTrayPointerLogic::DoubleClickTick() {
  const bool clickNow = !DoubleClickSeen_ && ClickDue_;
  if (clickNow) ClickDue_ = false;
  return clickNow;
}

void TTrayPointerLogic::DoubleClickTickDone() {
  DoubleClickSeen_ = false;
}

bool TTrayPointerLogic::HoverPoll(TScreenPoint cursor) {
  if (CursorOutside_) return false;
  if (cursor == LastCursorPos_) return false;
  CursorOutside_ = true;
  return true;
}
