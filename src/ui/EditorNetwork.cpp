#include "EditorNetwork.h"

#include <commctrl.h>

#include <iterator>

#include "ChildWindow.h"
#include "EditorPlace.h"
#include "ProfileNetwork.h"

namespace {

// The list's items and the choice each stands for, in the list's order; the first is
// also what a choice the list does not know shows as.
struct TNetworkChoice {
  const char* Text;
  const char* Value;
  TNetworkAction Action;
};
constexpr TNetworkChoice kChoices[] = {
    {"Do nothing", "", TNetworkAction::Nothing},
    {"Offer the switch", "offer", TNetworkAction::Offer},
    {"Switch automatically", "switch", TNetworkAction::Switch},
};
constexpr int kSwitchItem = 2;

constexpr char kChoiceLabel[] = "When its network is here:";
constexpr char kHint[] = "An automatic switch brings up the elevation prompt by itself.";

// Designed at 96 DPI, below the last address field (its bottom edge at 325), in the
// column of the address fields (x 8 to 234). The description takes up to three lines (a
// Wi-Fi name of 32 wide letters has no blank to wrap at), the hint two.
constexpr int kX = 8;
constexpr int kColumnWidth = 226;
constexpr int kLineHeight = 13;
constexpr int kDescriptionY = 333;
constexpr int kDescriptionLines = 3;
constexpr int kChoiceLabelY = 376;
constexpr int kChoiceY = 392;
constexpr int kChoiceWidth = 150;
constexpr int kChoiceDropHeight = 66;
constexpr int kForgetX = 164;
constexpr int kForgetWidth = 70;
constexpr int kControlHeight = 21;
constexpr int kHintY = 417;
constexpr int kMarginBelow = 8;

enum : int { idChoice, idForget, idLabels };

}  // namespace

TEditorNetwork::TEditorNetwork(HWND panel, UINT dpi, int firstId, bool elevated)
    : panel_(panel), dpi_(dpi), firstId_(firstId), elevated_(elevated) {
  // A Wi-Fi name may hold "&": shown as it is, not as a mnemonic.
  constexpr DWORD kText = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;
  description_ = CreateChild(0, "STATIC", "", kText, panel, firstId_ + idLabels);
  choiceLabel_ = CreateChild(0, "STATIC", kChoiceLabel, kText, panel, firstId_ + idLabels);
  choice_ = CreateChild(0, WC_COMBOBOXA, "",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, panel,
                        firstId_ + idChoice);
  for (const TNetworkChoice& item : kChoices)
    SendMessageA(choice_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.Text));
  forget_ = CreateChild(0, WC_BUTTONA, "Forget", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                        panel, firstId_ + idForget);
  hint_ = CreateChild(0, "STATIC", kHint, kText & ~WS_VISIBLE, panel, firstId_ + idLabels);
  PlaceControls();
  Load(TNetInfo{});
}

void TEditorNetwork::PlaceControls() {
  MoveTo(description_,
         EditorPlace(dpi_, kX, kDescriptionY, kColumnWidth, kDescriptionLines * kLineHeight));
  MoveTo(choiceLabel_, EditorPlace(dpi_, kX, kChoiceLabelY, kColumnWidth, kLineHeight));
  MoveTo(choice_,
         EditorPlace(dpi_, kX, kChoiceY, kChoiceWidth, kControlHeight + kChoiceDropHeight));
  MoveTo(forget_, EditorPlace(dpi_, kForgetX, kChoiceY, kForgetWidth, kControlHeight));
  MoveTo(hint_, EditorPlace(dpi_, kX, kHintY, kColumnWidth, 2 * kLineHeight));
}

void TEditorNetwork::SetFont(HFONT font, bool redraw) {
  for (HWND window : {description_, choiceLabel_, choice_, forget_, hint_})
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

void TEditorNetwork::SetDpi(UINT dpi) {
  dpi_ = dpi;
  PlaceControls();
}

int TEditorNetwork::Bottom() const {
  return EditorPlace(dpi_, kX, kHintY, kColumnWidth, 2 * kLineHeight + kMarginBelow).bottom;
}

void TEditorNetwork::Load(const TNetInfo& profile) {
  gateway_ = profile.NetworkGateway;
  gatewayMac_ = profile.NetworkGatewayMac;
  wifi_ = profile.NetworkWifi;
  onNetwork_ = profile.OnNetwork;
  // The choice shows what the recognition does with the stored word (any letter case).
  const TNetworkAction action = NetworkActionOf(profile);
  int item = 0;
  for (int index = 0; index < static_cast<int>(std::size(kChoices)); ++index) {
    if (kChoices[index].Action == action) item = index;
  }
  SendMessageA(choice_, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  ShowNetwork();
}

void TEditorNetwork::Commit(TNetInfo& profile) const {
  profile.NetworkGateway = gateway_;
  profile.NetworkGatewayMac = gatewayMac_;
  profile.NetworkWifi = wifi_;
  profile.OnNetwork = onNetwork_;
}

// The description, Forget and the hint as the values stand.
void TEditorNetwork::ShowNetwork() {
  TNetInfo network;
  Commit(network);
  SetWindowTextA(description_, NetworkDescription(network).c_str());
  const bool remembered = !gateway_.empty() || !gatewayMac_.empty() || !wifi_.empty();
  // A button disabled under the keyboard focus would leave the keys nowhere to go.
  if (!remembered && GetFocus() == forget_) SetFocus(choice_);
  EnableWindow(forget_, remembered);
  const bool switches = SendMessageA(choice_, CB_GETCURSEL, 0, 0) == kSwitchItem;
  ShowWindow(hint_, switches && !elevated_ ? SW_SHOWNA : SW_HIDE);
}

TEditorNetwork::TCommandResult TEditorNetwork::HandleCommand(int id, WORD code) {
  if (id == firstId_ + idChoice) {
    if (code != CBN_SELCHANGE) return {true, false};
    ChoicePicked();
    return {true, true};
  }
  if (id == firstId_ + idForget) {
    if (code != BN_CLICKED) return {true, false};
    ForgetNetwork();
    return {true, true};
  }
  return {};
}

void TEditorNetwork::ChoicePicked() {
  const LRESULT item = SendMessageA(choice_, CB_GETCURSEL, 0, 0);
  if (item >= 0 && item < static_cast<LRESULT>(std::size(kChoices))) {
    onNetwork_ = kChoices[item].Value;
  }
  ShowNetwork();
}

void TEditorNetwork::ForgetNetwork() {
  gateway_.clear();
  gatewayMac_.clear();
  wifi_.clear();
  ShowNetwork();
}
