#pragma once

#include <windows.h>

#include <string>

#include "NetInfo.h"

// The editor's lines about the profile's network, below the address fields: the network
// the profile remembers, in words; what to do when that network is here (a drop-down list
// of three choices); Forget, which drops the remembered network (disabled while none is
// remembered); and, where the program runs without administrator rights, a hint below the
// choice while it is to switch automatically, since such a switch then brings up the
// elevation prompt by itself.
//
// It holds the record's network members (NetworkGateway, NetworkGatewayMac, NetworkWifi)
// and its choice (OnNetwork), loaded and committed with the editor's other values. A
// choice the list does not know ("always", written by hand) shows as "Do nothing" and is
// committed as the text it was until the user picks an item.
class TEditorNetwork {
 public:
  // Creates the controls in `panel` at `dpi`, with identifiers from `firstId` on, in tab
  // order: the choice, then Forget. `elevated`: the program runs with administrator rights.
  TEditorNetwork(HWND panel, UINT dpi, int firstId, bool elevated);

  void Load(const TNetInfo& profile);
  void Commit(TNetInfo& profile) const;

  // The owner's font for every control; it must outlive its use by them.
  void SetFont(HFONT font, bool redraw);
  void SetDpi(UINT dpi);
  // How far down the panel the controls reach at the DPI, with the editor's margin below.
  int Bottom() const;

  // A WM_COMMAND's identifier and notice: whether it was one of its controls', and whether
  // the user changed a value by it (picked a choice, forgot the network).
  struct TCommandResult {
    bool Handled = false;
    bool Edited = false;
  };
  TCommandResult HandleCommand(int id, WORD code);

  HWND Description() const { return description_; }
  HWND ChoiceLabel() const { return choiceLabel_; }
  HWND Choice() const { return choice_; }
  HWND Forget() const { return forget_; }
  HWND Hint() const { return hint_; }

 private:
  void PlaceControls();
  void ShowNetwork();
  void ChoicePicked();
  void ForgetNetwork();

  HWND panel_;
  UINT dpi_;
  int firstId_;
  bool elevated_;
  std::string gateway_;
  std::string gatewayMac_;
  std::string wifi_;
  std::string onNetwork_;
  HWND description_ = nullptr;  // child windows: destroyed with the panel
  HWND choiceLabel_ = nullptr;
  HWND choice_ = nullptr;
  HWND forget_ = nullptr;
  HWND hint_ = nullptr;
};
